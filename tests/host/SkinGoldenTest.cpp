// The internal skin's pictures of the main window's parts at the sizes the
// window lays them out, each composed over its parent's picture as the
// window does: the "FORM" over the client area, the "FORMTITLE" bar, the
// Close button's "BUTTON" face in states 0 to 2, the "PANEL" below the
// buttons, the list's "EDIT" frame and the "STATUSBAR" inside the panel.
// Every picture is written to golden-out in the build tree and compared
// pixel for pixel with its reference in tests/golden; a reference is made
// by looking at the written picture and copying it there.
#include "SkinTestPlatform.h"
#include "tests/common/GoldenPicture.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinManager.h"

#include "StoredZur.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

// The window's layout (client coordinates; list and status bar inside the panel).
constexpr int kClientWidth = 705, kClientHeight = 447, kTitleHeight = 22;
constexpr TRect kCloseButton{622, 8, 697, 51};
constexpr TRect kPanel{0, 56, 705, 447};
constexpr TRect kList{1, 1, 704, 371};
constexpr TRect kStatusBar{1, 371, 704, 390};

TsBitmap24 SizeOf(const TRect& r) {
    return TsBitmap24(r.Width(), r.Height());
}

class SkinGolden : public ::testing::Test {
protected:
    void SetUp() override { LoadStoredZur(manager); }

    void Compare(const std::string& name, const TsBitmap24& picture) {
        CompareWithGolden(name, picture, KESTOVA_GOLDEN_FOLDER, KESTOVA_GOLDEN_OUT);
    }

    TSkinTestPlatform platform;
    TsSkinManager manager{nullptr};
};

TEST_F(SkinGolden, TheMainWindowsPartsLookAsTheirReferences) {
    const int form = manager.FindSection("FORM"), title = manager.FindSection("FORMTITLE");
    const TsItemSkin button = SectionItemSkin(manager, "BUTTON"), panel = SectionItemSkin(manager, "PANEL");
    const TsItemSkin list = SectionItemSkin(manager, "EDIT"),
                     statusBar = SectionItemSkin(manager, "STATUSBAR");
    ASSERT_GE(form, 0);
    ASSERT_GE(title, 0);
    for (const TsItemSkin* s : {&button, &panel, &list, &statusBar})
        ASSERT_GE(s->SectionIndex, 0) << s->SkinSection;

    // The form first, then every child over its parent's picture.
    TsBitmap24 formPicture(kClientWidth, kClientHeight);
    ComposeItem(&formPicture, manager, form, "FORM", {}, true, 1, {}, BoundsOf(formPicture));
    Compare("FORM", formPicture);

    TsBitmap24 titlePicture(kClientWidth, kTitleHeight);
    ComposeItem(&titlePicture, manager, title, "FORMTITLE",
                TsBackgroundDescriptor::OfPicture(formPicture, 0, 0), true, 1, {}, BoundsOf(titlePicture));
    Compare("FORMTITLE", titlePicture);

    for (int state = 0; state < 3; ++state) {
        TsBitmap24 face = SizeOf(kCloseButton);
        ComposeItem(&face, button, TsBackgroundDescriptor::OfPicture(formPicture, 0, 0), true, state, false,
                    {kCloseButton.Left, kCloseButton.Top}, BoundsOf(face));
        Compare("BUTTON" + std::to_string(state), face);
    }

    TsBitmap24 panelPicture = SizeOf(kPanel);
    ComposeItem(&panelPicture, panel, TsBackgroundDescriptor::OfPicture(formPicture, 0, 0), true, 0, false,
                {kPanel.Left, kPanel.Top}, BoundsOf(panelPicture));
    Compare("PANEL", panelPicture);

    TsBitmap24 listPicture = SizeOf(kList);
    ComposeItem(&listPicture, list, TsBackgroundDescriptor::OfPicture(panelPicture, 0, 0), true, 0, false,
                {kList.Left, kList.Top}, BoundsOf(listPicture));
    Compare("EDIT", listPicture);

    TsBitmap24 barPicture = SizeOf(kStatusBar);
    ComposeItem(&barPicture, statusBar, TsBackgroundDescriptor::OfPicture(panelPicture, 0, 0), true, 0, false,
                {kStatusBar.Left, kStatusBar.Top}, BoundsOf(barPicture));
    Compare("STATUSBAR", barPicture);
}

} // namespace
