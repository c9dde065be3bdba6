#include "GuiTestSupport.h"

#include "commands/FileDialogs.h"
#include "ui/dialogs/ProgramFileDialog.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

// A bare name saved with another type chosen in the list gets that type's
// extension, not the dialog's first one; "all files" falls back to it.
TEST(SaveTypeSuffix, FollowsTheChosenType) {
    App();
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.defaultExtension = "kvcolors";
    request.filters = FiltersWithAllFiles({FilterFor("Korvane swatch set", {"kvcolors"}),
                                           FilterFor("GIMP palette", {"gpl"}),
                                           FilterFor("JASC palette", {"pal"})});
    request.selectedFilter = 1;
    ProgramFileDialog dialog(request, nullptr);
    EXPECT_EQ(dialog.defaultSuffix(), "gpl");

    const struct {
        int filter;
        const char* suffix;
    } cases[] = {{2, "pal"}, {0, "kvcolors"}, {3, "kvcolors"}, {1, "gpl"}};
    for (const auto& c : cases) {
        const QString name = dialog.nameFilters().at(c.filter);
        dialog.selectNameFilter(name);
        emit dialog.filterSelected(name);
        EXPECT_EQ(dialog.defaultSuffix(), c.suffix) << name.toStdString();
    }
}

} // namespace
} // namespace kv::test
