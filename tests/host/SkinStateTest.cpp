// The skin state of controls and the skin command message: sections and
// indexes, the commands the state answers, the colour and background answers
// to children, BackFlags, the way a new skin reaches every control, and the
// window hook's decisions.
#include "skin/sCommonData.h"
#include "skin/sGraphUtils.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "controls/Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string>* g_log = nullptr;

void Log(const TControl& control, TWParam wParam) {
    if (g_log && CommandOf(wParam) == scNewSkin)
        g_log->push_back(control.Name());
}

// A windowed control with a skin state: it answers the skin commands and
// passes a new skin on to its children itself.
class TSkinnedControl : public TWinControl {
public:
    TSkinnedControl(TComponent* owner, TWinControl* parent, const std::string& name,
                    std::string className = "TPanel")
        : TWinControl(owner), SkinData(this, true), className_(std::move(className)) {
        SetName(name);
        SetParent(parent);
    }
    std::string ClassName() const override { return className_; }
    TsCommonData SkinData;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == SM_SKINCOMMAND) {
            Log(*this, wParam);
            bool handled = false;
            const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
            if (CommandOf(wParam) == scNewSkin)
                DeliverToChildren(*this, message, wParam, lParam);
            if (handled)
                return result;
        }
        return TWinControl::WndProc(message, wParam, lParam);
    }

private:
    std::string className_;
};

// A windowed control without a skin state (no answer to any skin command).
class TPlainControl : public TWinControl {
public:
    TPlainControl(TComponent* owner, TWinControl* parent, const std::string& name) : TWinControl(owner) {
        SetName(name);
        SetParent(parent);
    }

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == SM_SKINCOMMAND)
            Log(*this, wParam);
        return TWinControl::WndProc(message, wParam, lParam);
    }
};

class TGraphic : public TGraphicControl {
public:
    TGraphic(TComponent* owner, TWinControl* parent, const std::string& name) : TGraphicControl(owner) {
        SetName(name);
        SetParent(parent);
    }
    void Paint(void*) override {}

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == SM_SKINCOMMAND)
            Log(*this, wParam);
        return TGraphicControl::WndProc(message, wParam, lParam);
    }
};

class TTestForm : public TCustomForm {
public:
    explicit TTestForm(const std::string& name, int tag = 0) : TCustomForm(nullptr) {
        SetName(name);
        SetTag(tag);
    }

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == SM_SKINCOMMAND)
            Log(*this, wParam);
        return TCustomForm::WndProc(message, wParam, lParam);
    }
};

TsGeneralData Section(const std::string& name, TColor color, int transparency = 0) {
    TsGeneralData d;
    d.SectionName = name;
    d.Color = color;
    d.Transparency = transparency;
    return d;
}

TsMaskData Borders(const std::string& section, int margin) {
    TsMaskData m;
    m.SectionName = section;
    m.PropertyName = "BORDERSMASK";
    m.R = {0, 0, 30, 30};
    m.WL = m.WT = m.WR = m.WB = static_cast<int16_t>(margin);
    return m;
}

// A manager with hand-made tables; named explicitly by the controls that use
// it, so the process-wide default does not matter.
std::unique_ptr<TsSkinManager> Manager(std::vector<TsGeneralData> sections,
                                       std::vector<TsMaskData> masks = {}) {
    auto manager = std::make_unique<TsSkinManager>(nullptr);
    manager->gd = std::move(sections);
    manager->ma = std::move(masks);
    return manager;
}

TLParam Ref(TsSkinManager& manager) {
    return reinterpret_cast<TLParam>(&manager);
}

} // namespace

TEST(SkinState, CreateStartsWithNoIndexesAStaleCacheAndPartlyOutside) {
    TsCommonData withCache(nullptr, true);
    EXPECT_EQ(withCache.SectionIndex, -1);
    EXPECT_EQ(withCache.FrameMaskIndex, -1);
    EXPECT_EQ(withCache.TextureMask, -1);
    EXPECT_EQ(withCache.HotTextureMask, -1);
    EXPECT_TRUE(withCache.CacheStale);
    EXPECT_TRUE(withCache.PartlyOutside);
    EXPECT_FALSE(withCache.PaintSuspended);
    EXPECT_EQ(withCache.SkinManager(), nullptr);
    ASSERT_TRUE(withCache.Cache);
    EXPECT_TRUE(withCache.Cache->Empty());
    EXPECT_FALSE(TsCommonData(nullptr, false).Cache);
}

TEST(SkinState, SectionNamesAreStoredUpperCaseAndEmptyIsUnknown) {
    auto manager = Manager({Section("FORM", 0x111111), Section("BUTTON", 0x222222)});
    TSkinnedControl control(nullptr, nullptr, "c");
    control.SkinData.SetSkinManager(manager.get());
    const struct {
        const char* written;
        const char* stored;
        int index;
        bool skinned;
    } rows[] = {{"button", "BUTTON", 1, true}, {"", "UNKNOWN", -1, false}, {"Form", "FORM", 0, true}};
    for (const auto& r : rows) {
        control.SkinData.SetSkinSection(r.written);
        EXPECT_EQ(control.SkinData.SkinSection(), r.stored) << r.written;
        EXPECT_EQ(control.SkinData.SectionIndex, r.index) << r.written;
        EXPECT_EQ(control.SkinData.Skinned(), r.skinned) << r.written;
        EXPECT_EQ(SendSkinCommand(control, scGetSectionIndex), r.index + 1) << r.written;
    }
}

TEST(SkinState, AManagerWithoutSectionsLeavesTheControlUnskinned) {
    auto manager = Manager({});
    TSkinnedControl control(nullptr, nullptr, "c");
    control.SkinData.SetSkinSection("BUTTON");
    control.SkinData.SetSkinManager(manager.get());
    EXPECT_EQ(control.SkinData.SectionIndex, -1);
    EXPECT_EQ(SendSkinCommand(control, scGetSectionIndex), 0);
}

TEST(SkinState, NewSkinOfAnotherManagerLeavesTheControlUnchanged) {
    auto mine = Manager({Section("BUTTON", 0x222222)});
    auto other = Manager({Section("X", 0), Section("BUTTON", 0x222222)});
    TSkinnedControl control(nullptr, nullptr, "c");
    control.SkinData.SetSkinManager(mine.get());
    control.SkinData.SetSkinSection("BUTTON");
    ASSERT_EQ(control.SkinData.SectionIndex, 0);
    mine->gd.insert(mine->gd.begin(), Section("FIRST", 0));
    SendSkinCommand(control, scNewSkin, 0, Ref(*other));
    EXPECT_EQ(control.SkinData.SectionIndex, 0);
    SendSkinCommand(control, scNewSkin, 0, Ref(*mine));
    EXPECT_EQ(control.SkinData.SectionIndex, 1);
}

TEST(SkinState, RemoveAndRefreshSetAndClearTheFlags) {
    auto manager = Manager({Section("PANEL", 0x333333)}, {Borders("PANEL", 2)});
    TSkinnedControl control(nullptr, nullptr, "c");
    control.SkinData.SetSkinManager(manager.get());
    control.SkinData.SetSkinSection("PANEL");
    ASSERT_EQ(control.SkinData.FrameMaskIndex, 0);
    control.SkinData.EnsureCache();
    control.SetBounds({0, 0, 4, 3});
    EXPECT_EQ(control.SkinData.EnsureCache().Width, 4);

    control.SkinData.CacheStale = false;
    SendSkinCommand(control, scRemoveSkin, 0, Ref(*manager));
    EXPECT_EQ(control.SkinData.SectionIndex, -1);
    EXPECT_EQ(control.SkinData.FrameMaskIndex, -1);
    EXPECT_TRUE(control.SkinData.PaintSuspended);
    EXPECT_TRUE(control.SkinData.Cache->Empty());
    EXPECT_EQ(SendSkinCommand(control, scIsStale), 1);    // suspended
    EXPECT_EQ(control.SkinData.Manager(), manager.get()); // the manager lives on

    SendSkinCommand(control, scNewSkin, 0, Ref(*manager));
    SendSkinCommand(control, scRefresh, 0, Ref(*manager));
    EXPECT_FALSE(control.SkinData.PaintSuspended);
    EXPECT_TRUE(control.SkinData.CacheStale);
    control.SkinData.CacheStale = false;
    EXPECT_EQ(SendSkinCommand(control, scIsStale), 0);

    SendSkinCommand(control, scSuspendPaint, 1);
    EXPECT_TRUE(control.SkinData.PaintSuspended);
    SendSkinCommand(control, scSuspendPaint, 0);
    EXPECT_FALSE(control.SkinData.PaintSuspended);
    SendSkinCommand(control, scMarkStale);
    EXPECT_TRUE(control.SkinData.CacheStale);
    control.SkinData.BeginUpdate();
    EXPECT_TRUE(control.SkinData.PaintSuspended);
    control.SkinData.EndUpdate();
    EXPECT_FALSE(control.SkinData.PaintSuspended);

    // Moves, visibility, rebuilding and painting.
    control.SkinData.CacheRebuilt();
    control.SkinData.BoundsChanged(false);
    EXPECT_FALSE(control.SkinData.CacheStale);
    control.SkinData.BoundsChanged(true);
    EXPECT_TRUE(control.SkinData.CacheStale);
    control.SkinData.CacheRebuilt();
    control.SkinData.VisibilityChanged();
    EXPECT_TRUE(control.SkinData.CacheStale);
    SendSkinCommand(control, scRemoveSkin, 0, Ref(*manager));
    control.SkinData.PaintDone();
    EXPECT_FALSE(control.SkinData.PaintSuspended);

    control.SkinData.PartlyOutside = false;
    EXPECT_EQ(SendSkinCommand(control, scIsPartlyOutside), 0);
    SendSkinCommand(control, scSetPartlyOutside);
    EXPECT_EQ(SendSkinCommand(control, scIsPartlyOutside), 1);
    EXPECT_EQ(SendSkinCommand(control, scIsSkinned), 1);
    EXPECT_EQ(SendSkinCommand(control, scGetFrame), 0);
    EXPECT_EQ(SendSkinCommand(control, scGetApplication), reinterpret_cast<TMessageResult>(&Application()));
}

TEST(SkinState, AManagerBeingDestroyedIsForgotten) {
    TTestForm form("f");
    TSkinnedControl control(&form, &form, "c");
    auto manager = Manager({Section("PANEL", 0)});
    control.SkinData.SetSkinManager(manager.get());
    control.SkinData.SetSkinSection("PANEL");
    ASSERT_EQ(control.SkinData.Manager(), manager.get());
    ASSERT_EQ(control.SkinData.SectionIndex, 0);
    TsSkinManager* raw = manager.get();
    manager.reset(); // its removal reaches the control through the form
    EXPECT_NE(control.SkinData.Manager(), raw);
    EXPECT_EQ(control.SkinData.SectionIndex, -1);
    EXPECT_TRUE(control.SkinData.PaintSuspended);
}

TEST(SkinState, TransparencyAndBackgroundCommandsMarkTheCacheStale) {
    auto manager = Manager({Section("OPAQUE", 0x10, 0), Section("GLASS", 0x10, 30)});
    for (const auto& [section, stale] : {std::pair{"OPAQUE", false}, std::pair{"GLASS", true}}) {
        TSkinnedControl control(nullptr, nullptr, "c");
        control.SkinData.SetSkinManager(manager.get());
        control.SkinData.SetSkinSection(section);
        control.SkinData.CacheStale = false;
        SendSkinCommand(control, scTransparencyChange, 0);
        EXPECT_FALSE(control.SkinData.CacheStale) << section;
        SendSkinCommand(control, scTransparencyChange, 1);
        EXPECT_EQ(control.SkinData.CacheStale, stale) << section;
        control.SkinData.CacheStale = false;
        SendSkinCommand(control, scBackgroundChanged, 0);
        EXPECT_EQ(control.SkinData.CacheStale, stale) << section;
    }
}

// Hand-worked: colour C = pure red 0x0000FF with transparency 40 over a
// parent colour P = pure green 0x00FF00.
//   control colour, per channel round(C * 0.4 + P * 0.6): R 102, G 153, B 0;
//   child colour, per channel (40 * (P - C) + C * 256) div 256: R 215, G 39, B 0.
TEST(SkinState, ControlAndChildColoursBlendWithTheParent) {
    auto manager = Manager({Section("GREEN", 0x00FF00, 0), Section("RED", 0x0000FF, 40)});
    TSkinnedControl parent(nullptr, nullptr, "p");
    parent.SkinData.SetSkinManager(manager.get());
    parent.SkinData.SetSkinSection("GREEN");
    TSkinnedControl child(nullptr, &parent, "c");
    child.SkinData.SetSkinManager(manager.get());
    child.SkinData.SetSkinSection("RED");

    EXPECT_EQ(parent.SkinData.ControlColor(), 0x00FF00);
    EXPECT_EQ(SendSkinCommand(parent, scGetChildColor), 0x00FF00);
    EXPECT_EQ(child.SkinData.ControlColor(), 0x009966);
    EXPECT_EQ(SendSkinCommand(child, scGetChildColor), 0x0027D7);

    // An unskinned parent gives its own colour to the control colour.
    TPlainControl plain(nullptr, nullptr, "plain");
    plain.SetColor(0x00FF00);
    child.SetParent(&plain);
    EXPECT_EQ(child.SkinData.ControlColor(), 0x009966);
    // ... but answers nothing (0, black) to command 21: R (40 * -255 + 255 * 256) div 256 = 215.
    EXPECT_EQ(SendSkinCommand(child, scGetChildColor), 0x0000D7);

    // A custom colour, or no skin, gives the control's own colour.
    child.SetColor(0x123456);
    child.SkinData.SetCustomColor(true);
    EXPECT_EQ(child.SkinData.ControlColor(), 0x123456);
    child.SkinData.SetCustomColor(false);
    child.SkinData.SetSkinSection("NONE");
    EXPECT_EQ(child.SkinData.ControlColor(), 0x123456);
    EXPECT_EQ(SendSkinCommand(child, scGetChildColor), 0x123456);
    child.SetParent(nullptr);
}

TEST(SkinState, FullyTransparentChildColourIsTheParentsOrItsOwnColour) {
    auto manager = Manager({Section("CLEAR", 0x0000FF, 100), Section("KEY", clNone, 0)});
    TSkinnedControl keyed(nullptr, nullptr, "k");
    keyed.SetColor(0x445566);
    keyed.SkinData.SetSkinManager(manager.get());
    keyed.SkinData.SetSkinSection("KEY");
    TSkinnedControl child(nullptr, &keyed, "c");
    child.SkinData.SetSkinManager(manager.get());
    child.SkinData.SetSkinSection("CLEAR");
    // The parent answers the key colour: the parent's own colour is taken.
    EXPECT_EQ(SendSkinCommand(child, scGetChildColor), 0x445566);
    EXPECT_EQ(child.SkinData.ControlColor(), clNone); // the parent's answer to 21 as it is
    child.SetParent(nullptr);
    child.SetColor(0x010203);
    EXPECT_EQ(SendSkinCommand(child, scGetChildColor), 0x010203); // no parent: its own
}

TEST(SkinState, BackgroundAnswers) {
    auto manager = Manager({Section("PLAIN", 0x0000FF, 0), Section("GLASS", 0x00FF00, 100),
                            Section("TEXTURED", 0x00FF00, 0), Section("FRAMED", 0x00FF00, 100)},
                           {Borders("FRAMED", 7)});
    manager->gd[2].ImagePercent = 50;
    TSkinnedControl form(nullptr, nullptr, "form");
    form.SkinData.SetSkinManager(manager.get());
    form.SkinData.SetSkinSection("TEXTURED");
    form.SetBounds({0, 0, 20, 20});
    TSkinnedControl control(nullptr, &form, "c");
    control.SetBounds({3, 4, 10, 10});
    control.SetColor(0x0A0B0C);
    control.SkinData.SetSkinManager(manager.get());

    auto ask = [&] {
        TsBackgroundRecord record;
        SendSkinCommand(control, scGetBackground, 0, reinterpret_cast<TLParam>(&record));
        return record;
    };
    // Not skinned: its own colour.
    control.SkinData.SetSkinSection("NONE");
    TsBackgroundRecord r = ask();
    EXPECT_EQ(r.Kind, bkColor);
    EXPECT_EQ(r.FillColor, 0x0A0B0C);
    // A plain section: the control colour.
    control.SkinData.SetSkinSection("PLAIN");
    r = ask();
    EXPECT_EQ(r.Kind, bkColor);
    EXPECT_EQ(r.FillColor, 0x0000FF);
    // Textured without a picture yet: the key colour.
    control.SkinData.SetSkinSection("TEXTURED");
    r = ask();
    EXPECT_EQ(r.Kind, bkColor);
    EXPECT_EQ(r.FillColor, clNone);
    // With its picture: the picture at (0, 0).
    control.SkinData.EnsureCache();
    r = ask();
    EXPECT_EQ(r.Kind, bkPicture);
    EXPECT_EQ(r.Picture, control.SkinData.Cache.get());
    EXPECT_EQ(r.Origin, (TPoint{0, 0}));
    // Fully transparent with thin borders: the parent's picture, moved by the control's place.
    form.SkinData.EnsureCache();
    control.SkinData.SetSkinSection("GLASS");
    r = ask();
    EXPECT_EQ(r.Kind, bkPicture);
    EXPECT_EQ(r.Picture, form.SkinData.Cache.get());
    EXPECT_EQ(r.Origin, (TPoint{3, 4}));
    // Fully transparent with 28 pixels of borders: its own picture.
    control.SkinData.SetSkinSection("FRAMED");
    r = ask();
    EXPECT_EQ(r.Kind, bkPicture);
    EXPECT_EQ(r.Picture, control.SkinData.Cache.get());
    // No parent at all: the manager's global colour.
    control.SkinData.SetSkinSection("GLASS");
    control.SetParent(nullptr);
    r = ask();
    EXPECT_EQ(r.Kind, bkColor);
    EXPECT_EQ(r.FillColor, manager->GlobalBackColor());
    EXPECT_TRUE(DescriptorOf(r).HasFill());
}

TEST(SkinState, AskingAnUnskinnedParentGivesItsColour) {
    TPlainControl parent(nullptr, nullptr, "p");
    parent.SetColor(0xABCDEF);
    TsBackgroundRecord record;
    GetParentBackground(parent, record);
    EXPECT_EQ(record.Kind, bkColor);
    EXPECT_EQ(record.FillColor, 0xABCDEF);
    const TsBackgroundDescriptor empty = DescriptorOf(TsBackgroundRecord{});
    EXPECT_EQ(empty.X, -99);
    EXPECT_FALSE(empty.Ready);
}

TEST(SkinState, BackFlagsBitZeroSaysThePlainColour) {
    struct Row {
        const char* what;
        int transparency, image, gradient, margin;
        bool parentPlain;
        int expected;
    };
    const Row rows[] = {
        {"opaque, plain", 0, 0, 0, 0, true, 1},
        {"opaque with a texture share", 0, 20, 0, 0, true, 0},
        {"opaque with a gradient share", 0, 0, 20, 0, true, 0},
        {"half transparent", 0 + 50, 0, 0, 0, true, 0},
        {"transparent over a plain parent", 100, 0, 0, 0, true, 1},
        {"transparent over a pictured parent", 100, 0, 0, 0, false, 0},
        {"borders of 24 pixels", 0, 0, 0, 6, true, 1},
        {"borders of 28 pixels", 0, 0, 0, 7, true, 0},
    };
    for (const Row& row : rows) {
        TsGeneralData section = Section("S", 0x10, row.transparency);
        section.ImagePercent = row.image;
        section.GradientPercent = row.gradient;
        TsGeneralData parentSection = Section("P", 0x20, 0);
        parentSection.ImagePercent = row.parentPlain ? 0 : 50;
        std::vector<TsMaskData> masks;
        if (row.margin)
            masks.push_back(Borders("S", row.margin));
        auto manager = Manager({section, parentSection}, masks);
        TSkinnedControl parent(nullptr, nullptr, "p", "TPanel");
        parent.SkinData.SetSkinManager(manager.get());
        parent.SkinData.SetSkinSection("P");
        TSkinnedControl panel(nullptr, &parent, "c", "TPanel");
        panel.SkinData.SetSkinManager(manager.get());
        panel.SkinData.SetSkinSection("S");
        EXPECT_EQ(SendSkinCommand(panel, scBackFlags, 0, 0), row.expected) << row.what;
        // A button keeps no BackFlags.
        TSkinnedControl button(nullptr, &parent, "b", "TsBitBtn");
        button.SkinData.SetSkinManager(manager.get());
        button.SkinData.SetSkinSection("S");
        EXPECT_EQ(SendSkinCommand(button, scBackFlags, 0, 0), 0) << row.what;
    }
    // Without any parent a transparent panel's background is no plain colour.
    auto manager = Manager({Section("S", 0x10, 100)});
    TSkinnedControl lone(nullptr, nullptr, "lone", "TPanel");
    lone.SkinData.SetSkinManager(manager.get());
    lone.SkinData.SetSkinSection("S");
    EXPECT_EQ(SendSkinCommand(lone, scBackFlags, 0, 0), 0);
}

TEST(SkinState, FillFlagsTellTextureAndGradientKinds) {
    const struct {
        int image, gradient, mode, expected;
    } rows[] = {{0, 0, 0, 0}, {30, 0, 0, 4}, {0, 30, 1, 1}, {0, 30, 0, 2}, {30, 30, 2, 7}};
    for (const auto& row : rows) {
        TsGeneralData section = Section("S", 0, 0);
        section.ImagePercent = row.image;
        section.GradientPercent = row.gradient;
        section.GradientArray = {TsGradientSegment{0, 0, 100, row.mode}};
        auto manager = Manager({section});
        TsCommonData data(nullptr, false);
        data.SetSkinManager(manager.get());
        data.SetSkinSection("S");
        EXPECT_EQ(data.FillFlags, row.expected) << row.image << " " << row.gradient << " " << row.mode;
    }
}

TEST(SkinState, DefaultSectionsByKindCode) {
    const struct {
        int kind;
        const char* section;
    } rows[] = {{2, "EDIT"},        {227, "EDIT"},        {18, "COMBOBOX"},    {19, "BAR"},
                {20, "BARTITLE"},   {152, "CHECKBOX"},    {33, "RADIOBUTTON"}, {73, "PANEL"},
                {58, "PANEL_LOW"},  {60, "TOOLBAR"},      {56, "DRAGBAR"},     {57, "TABSHEET"},
                {226, "GROUPBOX"},  {75, "SPLITTER"},     {95, "SPEEDBUTTON"}, {94, "BUTTON"},
                {98, "TOOLBUTTON"}, {143, "PAGECONTROL"}, {151, "STATUSBAR"},  {161, "GAUGE"},
                {165, "TRACKBAR"},  {1, "TMYCONTROL"},    {99, "TMYCONTROL"}};
    for (const auto& row : rows) {
        TSkinnedControl control(nullptr, nullptr, "c", "TMyControl");
        control.SkinData.KindCode = row.kind;
        control.SkinData.SetDefaultSection();
        EXPECT_EQ(control.SkinData.SkinSection(), row.section) << row.kind;
    }
}

TEST(SkinState, HotByFocusOrByTheMouseForKindsThatLightUp) {
    const struct {
        int kind;
        bool lightsUp;
    } rows[] = {{94, true},   {19, false},  {51, false},  {74, false}, {75, true},
                {110, false}, {141, false}, {161, false}, {162, true}, {300, true}};
    for (const auto& row : rows) {
        TSkinnedControl control(nullptr, nullptr, "c");
        control.SkinData.KindCode = row.kind;
        control.SkinData.MouseOver = true;
        EXPECT_EQ(control.SkinData.Hot(), row.lightsUp) << row.kind;
        control.SkinData.MouseLeft();
        EXPECT_EQ(control.SkinData.MouseOver, !row.lightsUp) << row.kind;
        control.SkinData.MouseOver = false;
        control.SkinData.HasFocus = true;
        EXPECT_TRUE(control.SkinData.Hot()) << row.kind;
        control.SetEnabled(false);
        EXPECT_FALSE(control.SkinData.Hot()) << row.kind;
    }
}

// A new skin reaches the form, a control without a window directly, a
// windowed control that answers command 7 (which passes it on itself), and
// the children of a windowed control that does not answer it.
TEST(SkinAnnounce, ReachesEveryFormAndItsControlsInOrder) {
    auto manager = Manager({Section("PANEL", 0)});
    std::vector<std::string> log;
    g_log = &log;
    {
        TTestForm form("Form");
        TGraphic label(&form, &form, "Label");
        TSkinnedControl skinned(&form, &form, "Skinned");
        TGraphic inSkinned(&form, &skinned, "InSkinned");
        TPlainControl plain(&form, &form, "Plain");
        TGraphic grandchild(&form, &plain, "Grandchild");
        TPlainControl deeper(&form, &plain, "Deeper");
        TSkinnedControl deepest(&form, &deeper, "Deepest");
        TTestForm second("Second");
        TGraphic secondLabel(&second, &second, "SecondLabel");

        manager->UpdateSkin(false);
        const std::vector<std::string> expected = {"Second",  "SecondLabel", "Form",       "Label",
                                                   "Skinned", "InSkinned",   "Grandchild", "Deepest"};
        EXPECT_EQ(log, expected);
        log.clear();
        DeliverToForms(SM_SKINCOMMAND, SkinCommand(scNewSkin), Ref(*manager));
        EXPECT_EQ(log, expected);
    }
    g_log = nullptr;
}

TEST(SkinAnnounce, RemovingTheSkinReachesTheControlsAndLoadedFlagFollows) {
    auto manager = Manager({Section("PANEL", 0)});
    TTestForm form("Form");
    TSkinnedControl panel(&form, &form, "Panel");
    panel.SkinData.SetSkinManager(manager.get());
    panel.SkinData.SetSkinSection("PANEL");
    manager->UpdateSkin(false);
    EXPECT_TRUE(manager->SkinData.Active);
    ASSERT_EQ(panel.SkinData.SectionIndex, 0);
    manager->RemoveSkin();
    EXPECT_FALSE(manager->SkinData.Active);
    EXPECT_EQ(panel.SkinData.SectionIndex, -1);
    EXPECT_TRUE(panel.SkinData.PaintSuspended);
}

TEST(SkinHook, ActivationDecisions) {
    const unsigned all = srStdForms | srStdDialogs;
    struct Row {
        const char* what;
        TsActivatedWindow window;
        unsigned rules;
        TsHookDecision expected;
    };
    auto form = [](const char* cls, int tag) {
        TsActivatedWindow w;
        w.WindowClass = cls;
        w.ApplicationForm = true;
        w.FormClass = cls;
        w.FormTag = tag;
        return w;
    };
    auto dialog = [](const char* cls, bool othersVisible, bool toolbar, bool adaptable) {
        TsActivatedWindow w;
        w.WindowClass = cls;
        w.OtherAdaptedDialogsVisible = othersVisible;
        w.HasToolbarChild = toolbar;
        w.ChildrenAdaptable = adaptable;
        return w;
    };
    const Row rows[] = {
        {"application window", form("TApplication", 0), all, TsHookDecision::Ignore},
        {"report preview", dialog("TQRStandardPreview", false, false, true), all, TsHookDecision::Ignore},
        {"a form", form("TAboutBox", 0), all, TsHookDecision::FormFrame},
        {"a form tagged -98", form("TAboutBox", -98), all, TsHookDecision::Ignore},
        {"a form without srStdForms", form("TAboutBox", 0), srStdDialogs, TsHookDecision::Ignore},
        {"a message box tagged -98", form("TMessageForm", -98), all, TsHookDecision::FormFrame},
        {"a message box without srStdDialogs", form("TMessageForm", 0), srStdForms, TsHookDecision::Ignore},
        {"a system dialog", dialog("#32770", false, false, true), all, TsHookDecision::DialogAdapter},
        {"a system dialog without srStdDialogs", dialog("#32770", false, false, true), srStdForms,
         TsHookDecision::Ignore},
        {"a dialog beside another adapted one", dialog("#32770", true, false, true), all,
         TsHookDecision::Ignore},
        {"... unless it has a tool bar", dialog("#32770", true, true, true), all,
         TsHookDecision::DialogAdapter},
        {"a dialog with a child that takes no adapter", dialog("#32770", false, false, false), all,
         TsHookDecision::Ignore},
        {"some other window", dialog("SomeWindow", false, false, true), all, TsHookDecision::Ignore},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecideActivation(row.window, row.rules), row.expected) << row.what;
}

TEST(SkinHook, TabOrderMinus98IsNeverAdapted) {
    TPlainControl control(nullptr, nullptr, "c");
    EXPECT_TRUE(MayAdapt(control));
    control.SetTabOrder(-98);
    EXPECT_FALSE(MayAdapt(control));
}
