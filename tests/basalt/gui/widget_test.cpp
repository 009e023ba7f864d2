#include "basalt/gui/widget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Basalt::GUIMessage;

// A widget that records which widgets drew, in order.
class Probe : public Basalt::IWidget {
 public:
  Probe(unsigned wid, std::vector<unsigned>* drawn) : IWidget(wid), m_drawn(drawn) {}
  bool Draw() override {
    m_drawn->push_back(GetWID());
    return true;
  }

 private:
  std::vector<unsigned>* m_drawn;
};

class WidgetTest : public ::testing::Test {
 protected:
  std::vector<unsigned> drawn;
  Probe parent{1, &drawn}, p{2, &drawn}, q{3, &drawn}, r{4, &drawn}, grandchild{5, &drawn};
};

TEST_F(WidgetTest, TheMessageTable) {
  EXPECT_TRUE(parent.SendMessage(GUIMessage::WithInts(Basalt::GUI_MOVE_TO, 40, 50)));
  EXPECT_EQ(parent.GetX(), 40.0f);
  EXPECT_EQ(parent.GetY(), 50.0f);
  EXPECT_TRUE(parent.SendMessage(GUIMessage::WithInts(Basalt::GUI_SET_FONT, 6, 0)));
  EXPECT_EQ(parent.GetCaptionFont(), 6u);
  EXPECT_TRUE(parent.SendMessage(GUIMessage::Caption("Save preset")));
  EXPECT_STREQ(parent.GetCaption(), "Save preset");
  EXPECT_FALSE(parent.SendMessage(Basalt::GUI_SHOW));
  EXPECT_TRUE(parent.IsShown());
  EXPECT_FALSE(parent.SendMessage(Basalt::GUI_HIDE));
  EXPECT_FALSE(parent.IsShown());
  EXPECT_TRUE(parent.SendMessage(Basalt::GUI_UPDATE));
  EXPECT_TRUE(parent.SendMessage(Basalt::GUI_DRAW));
  EXPECT_EQ(drawn, std::vector<unsigned>{1});
  for (unsigned type : {1u, 2u, 5u, 10u, 17u, 200u})
    EXPECT_FALSE(parent.SendMessage(static_cast<Basalt::GUIMsgType>(type))) << type;
}

TEST_F(WidgetTest, ChildrenHearRelayedMessagesNewestFirst) {
  parent.AddChild(&p);
  parent.AddChild(&q);
  parent.AddChild(&r);
  p.AddChild(&grandchild);
  parent.SendMessage(Basalt::GUI_DRAW);
  EXPECT_EQ(drawn, (std::vector<unsigned>{1, 4, 3, 2, 5}));

  parent.SendMessage(GUIMessage::WithInts(Basalt::GUI_MOVE_BY, 5, -3));
  for (const Probe* w : {&parent, &p, &q, &r, &grandchild}) {
    EXPECT_EQ(w->GetX(), 5.0f) << w->GetWID();
    EXPECT_EQ(w->GetY(), -3.0f) << w->GetWID();
  }
  parent.SendMessage(GUIMessage::Caption("Parent"));
  EXPECT_STREQ(parent.GetCaption(), "Parent");
  EXPECT_STREQ(p.GetCaption(), "");
}

TEST_F(WidgetTest, UnlinkJoinsTheNeighbours) {
  parent.AddChild(&p);
  parent.AddChild(&q);
  parent.AddChild(&r);
  q.AddChild(&grandchild);
  q.Unlink();
  EXPECT_EQ(parent.GetFirstChild(), &r);
  EXPECT_EQ(r.GetNextSibling(), &p);
  EXPECT_EQ(p.GetPrevSibling(), &r);
  EXPECT_EQ(q.GetNextSibling(), nullptr);
  EXPECT_EQ(q.GetPrevSibling(), nullptr);
  EXPECT_EQ(q.GetFirstChild(), &grandchild);  // its own children stay

  r.Unlink();  // the first child: the parent moves on to the next
  EXPECT_EQ(parent.GetFirstChild(), &p);
  parent.SendMessage(Basalt::GUI_DRAW);
  EXPECT_EQ(drawn, (std::vector<unsigned>{1, 2}));
}

TEST_F(WidgetTest, ADestroyedWidgetLeavesNoLinkBehind) {
  parent.AddChild(&p);
  {
    Probe temporary(9, &drawn);
    parent.AddChild(&temporary);
    temporary.AddChild(&grandchild);
  }
  EXPECT_EQ(parent.GetFirstChild(), &p);
  EXPECT_EQ(p.GetPrevSibling(), nullptr);
  EXPECT_EQ(grandchild.GetParent(), nullptr);
  grandchild.Unlink();
}

}  // namespace
