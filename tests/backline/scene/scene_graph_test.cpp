#include "backline/scene/scene_graph.h"

#include <gtest/gtest.h>

#include <string>

#include "backline/scene/camera.h"

namespace {

std::string g_trace;
Basalt::mat4 g_lastWorld;
int g_alive = 0;

// Writes "u<name> " on each update and "d<name> " on each draw.
class Traced : public Basalt::IBaseObject {
 public:
  Traced() : Traced(1) {}
  explicit Traced(unsigned type) {
    m_typeID = type;
    ++g_alive;
  }
  ~Traced() override { --g_alive; }
  bool Update() override {
    g_trace += std::string("u") + GetName() + " ";
    return true;
  }
  void Render(const Basalt::mat4& world) override {
    g_trace += std::string("d") + GetName() + " ";
    g_lastWorld = world;
  }
};

struct Untyped : Traced {
  Untyped() : Traced(0) {}
};

class SceneGraphTest : public ::testing::Test {
 protected:
  void SetUp() override { g_trace.clear(); }
  void TearDown() override {
    graph.Shutdown();
    EXPECT_EQ(g_alive, 0);
  }
  Traced* Make(const char* name, Basalt::IBaseObject* parent = nullptr) {
    return graph.CreateObject<Traced>(name, parent);
  }
  SceneGraph graph;
};

TEST_F(SceneGraphTest, WalksVisitAnObjectThenItsLaterSiblingsThenItsChildren) {
  Camera* camera = graph.CreateObject<Camera>("camera", nullptr);
  Traced* a = Make("a");
  Traced* b = Make("b");
  Make("a1", a);
  Make("b1", b);
  EXPECT_TRUE(graph.Update());  // no camera yet: nothing happens
  graph.SetCamera(camera);
  graph.Update();
  graph.Render(nullptr);
  EXPECT_EQ(g_trace, "ub ua ua1 ub1 db da da1 db1 ");  // the camera has type 0 and is not drawn
}

TEST_F(SceneGraphTest, DrawsVisibleTypedObjectsAndEveryAlwaysRenderObject) {
  Make("shown");
  Make("hidden")->visible = false;
  graph.CreateObject<Untyped>("untyped", nullptr);
  graph.CreateObject<Untyped>("forcedUntyped", nullptr)->SetAlwaysRender(true);
  Traced* forcedHidden = Make("forcedHidden");
  forcedHidden->visible = false;
  forcedHidden->SetAlwaysRender(true);
  graph.Render(nullptr);
  EXPECT_EQ(g_trace, "dforcedHidden dforcedUntyped dshown ");
}

TEST_F(SceneGraphTest, ChildrenAreTurnedScaledAndCarriedByTheirParents) {
  graph.SetCamera(graph.CreateObject<Camera>("camera", nullptr));
  Traced* parent = Make("parent");
  parent->position = {1.0f, 2.0f, 3.0f};
  parent->rotation = {0.0f, 3.14159265f / 2.0f, 0.0f};
  Traced* child = Make("child", parent);
  child->position = {0.0f, 0.0f, 10.0f};
  child->scale = 2.0f;
  Traced* grandchild = Make("grandchild", child);
  grandchild->position = {0.0f, 0.0f, 1.0f};
  grandchild->scale = 3.0f;
  graph.Update();
  EXPECT_NEAR(child->worldPosition.x, 11.0f, 1e-5f);
  EXPECT_NEAR(child->worldPosition.y, 2.0f, 1e-5f);
  EXPECT_NEAR(child->worldPosition.z, 3.0f, 1e-5f);
  EXPECT_NEAR(grandchild->worldPosition.x, 13.0f, 1e-5f);  // one step along the child's scaled z axis

  graph.Render(grandchild);
  EXPECT_NEAR(g_lastWorld.m[2][0], 6.0f, 1e-5f);  // the turned z axis; scale compounds
  EXPECT_NEAR(g_lastWorld.m[3][0], 13.0f, 1e-5f);
  EXPECT_EQ(g_lastWorld.m[3][3], 1.0f);
}

TEST_F(SceneGraphTest, RemovingAnObjectTakesItsSubtreeAndItsLaterSiblings) {
  Camera* camera = graph.CreateObject<Camera>("camera", nullptr);
  graph.SetCamera(camera);
  Make("a1", Make("a"));
  Traced* b = Make("b");
  Traced* c = Make("c");
  graph.RemoveObject(b);
  EXPECT_EQ(g_alive, 1);
  EXPECT_EQ(c->GetSibling(), nullptr);
  EXPECT_EQ(graph.FindObject("c"), c);
  EXPECT_EQ(graph.FindObject("a"), nullptr);
  EXPECT_EQ(graph.FindObject("camera"), nullptr);
  graph.Update();  // the camera went too: nothing is updated
  EXPECT_EQ(g_trace, "");
}

TEST_F(SceneGraphTest, SharedNamesFindTheFirstObjectStillThere) {
  Traced* first = Make("button", Make("left"));
  Traced* second = Make("button", Make("right"));
  EXPECT_EQ(graph.FindObject("button"), first);
  graph.RemoveObject(second);
  EXPECT_EQ(graph.FindObject("button"), first);
}

}  // namespace
