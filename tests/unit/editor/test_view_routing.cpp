// The view's range of image commands also spans commands that are the frame's and the
// application's: the view takes only its own and lets the others go on.
#include "resources/resource.h"
#include "tests/unit/editor/editor_harness.h"

namespace {

class ViewRoutingTest : public EditorViewTest {};

TEST_F(ViewRoutingTest, TakesOnlyItsImageCommandsOfItsRange) {
  const std::pair<UINT, BOOL> kCommands[] = {
      {ID_TOOLS_OPTIONS, FALSE},       {32848, FALSE} /* help file */, {32833, FALSE} /* capture button */,
      {32846, FALSE} /* task sheet */, {ID_IMAGE_FLIP_H, TRUE},        {ID_IMAGE_CAPTION, TRUE},
      {ID_IMAGE_GRAYSCALE, TRUE}};
  for (auto [nID, bTaken] : kCommands)
    EXPECT_EQ(bTaken, View()->OnCmdMsg(nID, CN_COMMAND, NULL, NULL)) << nID;
}

} // namespace
