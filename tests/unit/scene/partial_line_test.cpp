// Lines that break off: every kind applies the values read before the first
// that fails, scanf-style, and sets a keyword's flag only when its line
// applied a value; a mesh's material block is four lines whatever they hold.
#include <functional>

#include "scene/billboard.h"
#include "scene/flare.h"
#include "scene/mesh.h"
#include "scene_test_util.h"

namespace {

class PartialLineTest : public SceneTest {};

bool Equal(Vector3 a, Vector3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// The last object of the file, as Kind.
template <class Kind>
const Kind& Last(const ObjectList& list) {
  return *dynamic_cast<const Kind*>(list.At(list.Count() - 1));
}

}  // namespace

TEST_F(PartialLineTest, ValuesBeforeTheFirstFailureApplyAndFlagsFollowThem) {
  struct Case {
    std::string text;  // an object file without ENDWORLD; the last block is checked
    std::function<bool(const ObjectList&)> holds;
  };
  const std::string earth = "sphere\nbegin earth\nend\n";
  const Case cases[] = {
      {"sphere\nbegin\nrotation V(0 0 1) 20\nend\n",
       [](const ObjectList& l) {
         const Sphere& s = Last<Sphere>(l);
         return Equal(s.rotationAxis, {0, 0, 1}) && s.angle == 20.0f && s.rate == 0.2f;
       }},
      {"sphere\nbegin\norient V(0 1\nend\n",
       [](const ObjectList& l) {
         const Sphere& s = Last<Sphere>(l);
         return Equal(s.orientAxis, {0, 1, 0}) && s.orientAngle == 90.0f;
       }},
      {"sphere\nbegin\norbit\nposition V(5\nend\n",
       [](const ObjectList& l) { return Equal(Last<Sphere>(l).basePosition, {5, 0, 0}); }},
      {"sphere\nbegin\nposition V(5\nend\n",
       [](const ObjectList& l) { return Equal(Last<Sphere>(l).basePosition, {-1995, 0, 0}); }},
      {"sphere\nbegin\nposition V(\nend\n",
       [](const ObjectList& l) { return Equal(Last<Sphere>(l).basePosition, {0, 0, 0}); }},
      {"billboard\nbegin\nrotation 45\nend\n", [](const ObjectList& l) { return Last<Billboard>(l).spin == 45.0f; }},
      {earth + "billboard\nbegin\nparent earth\nend\n",
       [](const ObjectList& l) {
         const Billboard& b = Last<Billboard>(l);
         return b.parent == l.At(0) && Equal(b.offset, {0, 0, 0});
       }},
      {"billboard\nbegin\nenv\nend\n", [](const ObjectList& l) { return !Last<Billboard>(l).isEnv; }},
      {"billboard\nbegin\nenv V(1 2\nend\n",
       [](const ObjectList& l) {
         const Billboard& b = Last<Billboard>(l);
         return b.isEnv && Equal(b.offset, {1, 2, 0});
       }},
      {"billboard\nbegin\noreol\nend\n", [](const ObjectList& l) { return !Last<Billboard>(l).halo; }},
      {"billboard\nbegin\noreol V(1 2 3)\nend\n",
       [](const ObjectList& l) {
         const Billboard& b = Last<Billboard>(l);
         return b.halo && Equal(b.offset, {1, 2, 3}) && b.haloRadius == 1.0f;
       }},
      {"billboard\nbegin\nflash\nend\n", [](const ObjectList& l) { return !Last<Billboard>(l).flash; }},
      {"billboard\nbegin\nflash 0.5 2\nend\n",
       [](const ObjectList& l) {
         const Billboard& b = Last<Billboard>(l);
         return b.flash && b.flashClock == 0.5f && b.flashOff == 2.0f;
       }},
      {earth + "flare\nbegin\nparent earth\nend\n",
       [](const ObjectList& l) { return Last<Flare>(l).flareParent == l.At(0); }},
      {"flare\nbegin\nenv\nend\n", [](const ObjectList& l) { return !Last<Flare>(l).isEnv; }},
      {"flare\nbegin\nenv V(0 0 -9)\nend\n",
       [](const ObjectList& l) { return Last<Flare>(l).isEnv && Equal(Last<Flare>(l).envOffset, {0, 0, -9}); }},
      {"flare\nbegin\nfocus\nend\n", [](const ObjectList& l) { return !Last<Flare>(l).hasFocus; }},
      {"flare\nbegin\norient V(3\nend\n",
       [](const ObjectList& l) { return Last<Flare>(l).hasOrient && Last<Flare>(l).orientPoint.x == 3.0f; }},
      {"flare\nbegin\nalpha 1 fade: 0.1\nend\n",
       [](const ObjectList& l) { return Last<Flare>(l).fadeInRate == 0.1f * 60.0f; }},
      {"mesh\nbegin\norient V(1 0 0) \nend\n",
       [](const ObjectList& l) {
         const Mesh& m = Last<Mesh>(l);
         return Equal(m.orientAxis, {1, 0, 0}) && m.orientAngle == 0.0f;
       }},
      // The material block takes its four lines even when map1 has no name:
      // the position line is the fourth line, not a keyword of the block.
      {"mesh\nbegin\nmaterial\n\tmetal\n\tchrome\n\tmap1\nposition V(1 2 3)\nend\n",
       [](const ObjectList& l) {
         const Mesh& m = Last<Mesh>(l);
         return m.metal && !m.hasTexture && Equal(m.position, {0, 0, 0});
       }},
  };
  for (const Case& c : cases) {
    ObjectList list;
    ResetProcessState();
    LoadObjects(c.text + "ENDWORLD\n", list);
    ASSERT_GT(list.Count(), 0u) << c.text;
    EXPECT_TRUE(c.holds(list)) << c.text;
  }
}
