// Mesh blocks: the keyword table, the positional material lines and the
// custom geometry slot they draw.
#include "scene/mesh.h"
#include "scene_test_util.h"

namespace {

class MeshTest : public SceneTest {
 protected:
  Mesh* One(const std::string& body, ParseReport* report = nullptr) {
    LoadObjects("mesh\nbegin ship\n" + body + "end\nENDWORLD\n", list, report);
    return list.Count() == 1 ? As<Mesh>(list, 0) : nullptr;
  }
  ObjectList list;
};

}  // namespace

TEST_F(MeshTest, MaterialLinesCountOnlyInTheirPlace) {
  RegisterTexture("textures\\hull.jpg", 31);
  struct Case {
    const char* material;
    bool metal;
    bool textured;
  };
  // the four lines after `material`, metal, texture taken
  const Case cases[] = {
      {"\tmetal\n\tchrome\n\tmap1 textures\\hull.jpg\n\tmap2 x\n", true, true},
      {"\tchrome\n\tmetal\n\tmap1 textures\\hull.jpg\n\tmap2 x\n", false, true},
      {"\tmetal\n\tmap1 textures\\hull.jpg\n\tchrome\n\tmap2 x\n", true, false},
      {"metal\n\tchrome\n\tmap2 x\n\tmap1 textures\\hull.jpg\n", false, false},
  };
  for (const Case& c : cases) {
    list.Release();
    Mesh* m = One(std::string("material\n") + c.material);
    ASSERT_NE(nullptr, m) << c.material;
    EXPECT_EQ(c.metal, m->metal) << c.material;
    EXPECT_EQ(c.textured, m->hasTexture) << c.material;
    EXPECT_EQ(c.textured ? 31u : 0u, m->textureId) << c.material;
  }
}

TEST_F(MeshTest, KeywordLinesSetTheirFields) {
  Mesh* m = One("orient V(1 0 0) 30\nposition V(1 2 3)\nlook V(0 0 2)\nright V(0 3 0)\nscale 4\n"
                "speed 3\ntiling 2\nlight\nillum\ninvup\nblend\ncolor V(0.5 1 1)\n");
  ASSERT_NE(nullptr, m);
  EXPECT_STREQ("ship", m->name);
  EXPECT_FLOAT_EQ(30.0f, m->orientAngle);
  EXPECT_FLOAT_EQ(1.0f, m->orientAxis.x);
  EXPECT_FLOAT_EQ(3.0f, m->position.z);
  EXPECT_FLOAT_EQ(2.0f, m->look.z);  // not normalised
  EXPECT_FLOAT_EQ(3.0f, m->right.y);
  EXPECT_FLOAT_EQ(4.0f, m->scale);
  EXPECT_TRUE(m->additiveTexture);
  EXPECT_TRUE(m->unlit);
  EXPECT_TRUE(m->blend);
  EXPECT_FLOAT_EQ(0.5f, m->color.x);
}

TEST_F(MeshTest, MeshKeepsTheGeometryOfTheLastGeometryLineAboveIt) {
  GlTestContext gl(8, 8);
  ASSERT_TRUE(gl.Ready());
  AddGeometryMember("meshes\\a.dat", BuildEnvCube());
  AddGeometryMember("meshes\\b.dat", BuildIcosphere(1));
  LoadObjects("mesh\nbegin none\nend\ngeometry meshes\\a.dat\nmesh\nbegin first\nend\n"
              "sphere\nbegin s\nlist\nend\ngeometry meshes\\b.dat\nmesh\nbegin second\nend\nENDWORLD\n",
              list);
  ASSERT_EQ(4u, list.Count());
  uint32_t first = As<Mesh>(list, 1)->listId;
  EXPECT_EQ(0u, As<Mesh>(list, 0)->listId);  // before any geometry line: list 0 draws nothing
  EXPECT_NE(0u, first);
  EXPECT_EQ(first, As<Sphere>(list, 2)->listId);
  EXPECT_NE(first, As<Mesh>(list, 3)->listId);
  EXPECT_EQ(As<Mesh>(list, 3)->listId, GeometryList(GeometrySlot::kCustom));
}
