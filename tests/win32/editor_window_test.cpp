#include <gtest/gtest.h>

#include "tests/win32/editor_fixture.h"
#include "ui/standard_controls.h"

namespace testsupport {
namespace {

TEST_F(EditorWindowTest, OpensWithInitialValuesAndClosesWithEsc) {
  RunEditor({
      [this] {
        EXPECT_EQ(form().Caption(), std::string("ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ - ") + dir->path() + "Version.rc");
        EXPECT_EQ(form().ScriptPath, *dir / "Version.rc");
        EXPECT_EQ(form().CompilerPath, *dir / "bin\\brc32.exe");
        EXPECT_FALSE(form().Modified);
        Screenshot(form().hwnd(), "editor");
      },
      [] { PressKey(VK_ESCAPE); },
  });
  EXPECT_NE(ProjectText().find("{$R *.RES}\r\n{$R VERSION.RES}\r\n"), std::string::npos) << ProjectText();
}

}  // namespace
}  // namespace testsupport
