#include "basalt/scene/base_object.h"

#include <gtest/gtest.h>

namespace {

using Basalt::IBaseObject;

// parent -> first -> second -> third, linked the way a scene graph does it.
struct Family {
  Family() {
    first = new IBaseObject();
    second = new IBaseObject();
    third = new IBaseObject();
    parent.SetChild(first);
    first->SetSibling(second);
    second->SetPrevSibling(first);
    second->SetSibling(third);
    third->SetPrevSibling(second);
    for (IBaseObject* child : {first, second, third}) child->SetParent(&parent);
  }
  IBaseObject parent;
  IBaseObject *first, *second, *third;
};

TEST(BaseObjectTest, ReleaseUnlinksTheObjectFromItsSiblingsAndParent) {
  Family family;
  family.first->Release();
  EXPECT_EQ(family.parent.GetChild(), family.second);
  EXPECT_EQ(family.second->GetPrevSibling(), nullptr);
  family.third->Release();
  EXPECT_EQ(family.second->GetSibling(), nullptr);
  family.second->Release();
  EXPECT_EQ(family.parent.GetChild(), nullptr);
}

TEST(BaseObjectTest, ARootNodeIsNeverReleased) {
  Family family;
  family.first->SetRootNode(true);
  family.first->Release();
  EXPECT_EQ(family.parent.GetChild(), family.first);
  EXPECT_EQ(family.second->GetPrevSibling(), family.first);
  family.first->SetRootNode(false);
  family.first->Release();
  family.second->Release();
  family.third->Release();
}

TEST(BaseObjectTest, KeepsThirtyTwoSubsetColoursAndItsAxes) {
  IBaseObject object;
  object.SetName("a name that is longer than sixty-four characters, which the field cannot hold whole");
  EXPECT_EQ(std::string(object.GetName()).size(), 63u);
  object.SetSubsetColor(31, 0.1f, 0.2f, 0.3f, 0.4f);
  object.SetSubsetColor(32, 0.0f, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(object.subsetColours[31][3], 0.4f);
  EXPECT_EQ(object.subsetColours[0][0], 1.0f);
  EXPECT_EQ(object.GetFacingVector().y, 1.0f);
  EXPECT_EQ(object.GetRightVector().x, 1.0f);
  object.orientation[1][0] = 3.0f;
  object.orientation[1][1] = 4.0f;
  EXPECT_FLOAT_EQ(object.GetFacingVector().x, 0.6f);
  object.Render(Basalt::mat4::Identity());  // no mesh: nothing to draw
}

}  // namespace
