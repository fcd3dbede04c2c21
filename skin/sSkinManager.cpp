// The skin manager: its properties, choosing and loading the skin, lookups.
#include "sSkinManager.h"
#include "qzSkinPack.h"
#include "sMessages.h"
#include "sPlatform.h"
#include "sSkinableMenus.h"
#include "base/Text.h"
#include "base/StringList.h"
#include "controls/Application.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <cstdio>

namespace {

TsSkinManager* defaultManager = nullptr;

constexpr char DefaultSkinDirectory[] = "c:\\Skins";

} // namespace

TsSkinManager* DefaultManager() {
    return defaultManager;
}

const std::array<const char*, ThirdPartyListCount>& ThirdPartyList::PropertyNames() {
    static const std::array<const char*, ThirdPartyListCount> names = {
        "ThirdEdits",   "ThirdButtons",    "ThirdBitBtns",      "ThirdCheckBoxes",  "ThirdComboBoxes",
        "ThirdGrids",   "ThirdGroupBoxes", "ThirdListViews",    "ThirdPanels",      "ThirdTreeViews",
        "ThirdWWEdits", "ThirdGridEh",     "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl",
        "ThirdToolBar", "ThirdStatusBar"};
    return names;
}

std::string ThirdPartyList::DefaultText(int index) {
    static const std::array<std::vector<const char*>, ThirdPartyListCount> defaults = {{
        {"TEdit", "TMemo", "TMaskEdit", "TLabeledEdit", "THotKey", "TListBox", "TCheckListBox", "TRichEdit",
         "TDateTimePicker"},
        {"TButton"},
        {"TBitBtn"},
        {"TCheckBox", "TRadioButton", "TGroupButton"},
        {"TComboBox", "TColorBox"},
        {"TStringGrid", "TDrawGrid"},
        {"TGroupBox", "TRadioGroup"},
        {"TListView"},
        {"TPanel"},
        {"TTreeView"},
        {" "},
        {" "},
        {" "},
        {"TPageControl"},
        {"TTabControl"},
        {"TToolBar"},
        {"TStatusBar"},
    }};
    std::string text;
    for (const char* name : defaults[static_cast<size_t>(index)])
        text += std::string(name) + "\r\n";
    return text;
}

TsSkinManager::TsSkinManager(TComponent* owner)
    : TComponent(owner), skinableMenus_(std::make_unique<TsSkinableMenus>(*this)) {
    if (!defaultManager) {
        defaultManager = this;
        if (SkinPlatform().WindowsNT())
            mainWindowHook_ =
                Application().HookMainWindow([this](unsigned message, uintptr_t, intptr_t, intptr_t&) {
                    return MainWindowMessage(message);
                });
    }
    FillThirdLists(false);
    if (skinDirectory_.empty())
        skinDirectory_ = DefaultSkinDirectory;
}

TsSkinManager::~TsSkinManager() {
    destroying_ = true;
    loading_ = false;
    if (active_) {
        active_ = false;
        RemoveSkin();
    }
    FreeTables();
    if (mainWindowHook_ != 0)
        Application().UnhookMainWindow(mainWindowHook_);
    mainWindowHook_ = 0;
    if (defaultManager == this)
        defaultManager = nullptr;
}

bool TsSkinManager::MainWindowMessage(unsigned message) {
    // The main window's messages of a menu being opened and of the menu
    // mode ending (WM_INITMENUPOPUP, WM_EXITMENULOOP): the painter forgets
    // the last pop-up, so the next one is drawn from a picture of its own
    // window, also when the same menu opens again with other items, and no
    // picture of a closed pop-up stays behind.
    constexpr unsigned InitMenuPopup = 0x0117, ExitMenuLoop = 0x0212;
    if ((message == InitMenuPopup || message == ExitMenuLoop) && skinableMenus_)
        skinableMenus_->ForgetPopup();
    return false;
}

void TsSkinManager::Loaded() {
    loading_ = false;
    if (skinDirectory_.empty())
        skinDirectory_ = DefaultSkinDirectory;
    if (MenuSupport.IcoLineSkin.empty())
        MenuSupport.IcoLineSkin = "ICOLINE";
    FillThirdLists(false);
    if (active_ && !skinName_.empty())
        UpdateSkin(false);
}

void TsSkinManager::FillThirdLists(bool reset) {
    for (int i = 0; i < ThirdPartyListCount; ++i) {
        std::string& text = ThirdParty.Lists[static_cast<size_t>(i)];
        if (reset || text.empty())
            text = ThirdPartyList::DefaultText(i);
        TStringList list;
        list.SetText(text);
        thirdLists_[static_cast<size_t>(i)] = list.Items();
    }
}

void TsSkinManager::SetActive(bool value) {
    if (value) {
        active_ = true;
        LoadSkin();
        return;
    }
    active_ = false;
    if (!loading_)
        RemoveSkin();
    RefreshCachedIndexes();
}

void TsSkinManager::SetSkinName(const std::string& value) {
    skinName_ = value;
    LoadSkin();
}

void TsSkinManager::SetSkinDirectory(const std::string& value) {
    skinDirectory_ = value;
    SkinData.SkinPath = ResolvedSkinDirectory();
}

void TsSkinManager::ReloadCurrent() {
    if (SkinData.Active)
        LoadSkin();
}

void TsSkinManager::SetHueOffset(int value) {
    hueOffset_ = value;
    ReloadCurrent();
}

void TsSkinManager::SetSaturation(int value) {
    saturation_ = value;
    ReloadCurrent();
}

bool TsSkinManager::IsDefault() const {
    return defaultManager == this;
}

void TsSkinManager::SetIsDefault(bool value) {
    if (!value && defaultManager)
        return;
    defaultManager = this;
    if (active_)
        UpdateSkin(true);
    else
        RemoveSkin();
}

void TsSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
    commonSections_.clear();
    for (std::string line : lines) {
        if (!line.empty() && line[0] != ';')
            line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
        commonSections_.push_back(std::move(line));
    }
    if (active_ && !skinName_.empty())
        LoadSkin();
}

std::string TsSkinManager::SkinInfo() const {
    if (!SkinData.Active)
        return "N/A";
    // The skin's version with "." as the decimal separator, whatever the locale.
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, SkinData.Version);
    return error == std::errc() ? std::string(text, end) : "N/A";
}

std::string TsSkinManager::ResolvedSkinDirectory() const {
    const std::string program = SkinPlatform().ProgramFolder();
    const std::string& dir = skinDirectory_;
    if (dir.rfind("..", 0) == 0) {
        // The parent of the program's folder takes the place of ".." and its separator.
        std::string parent = program;
        if (!parent.empty() && (parent.back() == '\\' || parent.back() == '/'))
            parent.pop_back();
        const size_t slash = parent.find_last_of("\\/");
        parent = slash == std::string::npos ? std::string() : parent.substr(0, slash + 1);
        const size_t skip = dir.size() > 2 && (dir[2] == '\\' || dir[2] == '/') ? 3 : 2;
        return parent + dir.substr(skip);
    }
    if (dir.rfind(".\\", 0) == 0 || dir.rfind("./", 0) == 0)
        return program + dir.substr(2);
    if (dir.find(':') == std::string::npos && dir.find("\\\\") == std::string::npos)
        return program + dir;
    return dir;
}

std::string TsSkinManager::NormalizeDir(const std::string& directory) {
    if (directory.empty() || directory.back() == '\\')
        return directory;
    if (directory.back() == '/')
        return directory.substr(0, directory.size() - 1) + "\\";
    if (directory.size() == 1)
        return directory + ":\\";
    return directory + "\\";
}

void TsSkinManager::LoadSkin() {
    LoadSkinFrom(false);
}

void TsSkinManager::LoadStoredSkin(const std::string& name) {
    skinName_ = name;
    active_ = true;
    LoadSkinFrom(true);
}

void TsSkinManager::LoadSkinFrom(bool storedOnly) {
    if (!active_)
        return;
    if (OnBeforeChange)
        OnBeforeChange();
    SkinData.Active = false;
    try {
        if (!ReadSkin(storedOnly))
            return;
    } catch (...) {
        // A skin that cannot be read leaves no half-built tables behind, and
        // no window paints from them: the windows keep their standard look.
        active_ = false;
        RemoveSkin();
        throw;
    }
    if (!active_)
        RemoveSkin();
    else
        UpdateSkin(true);
    if (OnAfterChange)
        OnAfterChange();
}

bool TsSkinManager::ReadSkin(bool storedOnly) {
    TqzSkinConvertor convertor;
    struct TDetach { // the archive lives only while the skin is being loaded
        TqzSkinConvertor*& slot;
        ~TDetach() { slot = nullptr; }
    } detach{convertor_};
    TsSkinPlatform& platform = SkinPlatform();
    const TsStoredSkin* storedTables = nullptr;
    std::string optionsText;
    bool haveOptions = false;

    const std::string archive = NormalizeDir(skinDirectory_) + skinName_ + ".qtz";
    const std::string folder = ResolvedSkinDirectory() + "\\" + skinName_ + "\\";
    std::optional<std::vector<uint8_t>> folderOptions;
    const bool archiveFile = !storedOnly && platform.FileExists(archive);
    if (!storedOnly && !archiveFile && platform.FileExists(folder + "Options.dat"))
        folderOptions = platform.ReadWholeFile(folder + "Options.dat");
    if (archiveFile) {
        convertor.LoadFromFile(archive, true);
        fromArchive_ = true;
        convertor_ = &convertor;
        SkinData.SkinPath = ResolvedSkinDirectory() + "\\";
        if (convertor.OptionsText) {
            optionsText = std::string(convertor.OptionsText->View());
            haveOptions = true;
        }
    } else if (folderOptions) {
        optionsText.assign(folderOptions->begin(), folderOptions->end());
        haveOptions = true;
        fromArchive_ = false;
        SkinData.SkinPath = folder;
    } else {
        SkinData.SkinPath.clear();
        auto stored = std::find_if(internalSkins_.begin(), internalSkins_.end(),
                                   [&](const TsStoredSkin& s) { return s.Name == skinName_; });
        if (stored == internalSkins_.end()) {
            if (internalSkins_.empty()) {
                active_ = false;
                RemoveSkin();
                return false;
            }
            stored = internalSkins_.begin();
            skinName_ = stored->Name;
        }
        if (stored->Data.Size() > 0) {
            convertor.LoadFromStream(stored->Data);
            fromArchive_ = true;
            convertor_ = &convertor;
            if (convertor.OptionsText) {
                optionsText = std::string(convertor.OptionsText->View());
                haveOptions = true;
            }
        }
        if (!haveOptions)
            storedTables = &*stored;
    }

    if (haveOptions)
        BuildTables(TsIniText(optionsText));
    else if (storedTables)
        LoadFromStoredTables(*storedTables);
    else
        BuildTables(TsIniText());
    return true;
}

void TsSkinManager::UpdateSkin(bool repaint) {
    skinableMenus_->ResetSkinBorderWidth();
    RefreshCachedIndexes();
    SkinData.Active = false;
    AnnounceSkin(*this, repaint);
    SkinData.Active = active_ && !gd.empty();
    skinableMenus_->Activate(SkinData.Active);
}

void TsSkinManager::RemoveSkin() {
    skinableMenus_->Activate(false);
    RemoveSkinFromForms(*this);
    FreeTables();
    SkinData.Active = false;
    RefreshCachedIndexes();
}

void TsSkinManager::RepaintForms() {
    RefreshSkinOfForms(*this);
}

void TsSkinManager::FreeTables() {
    gd.clear();
    ma.clear();
    pa.clear();
    MasterBitmap.reset();
}

int TsSkinManager::FindSection(const std::string& name) const {
    for (size_t i = 0; i < gd.size(); ++i)
        if (gd[i].SectionName == name)
            return static_cast<int>(i);
    return -1;
}

template <typename Match>
int TsSkinManager::FindInChain(int sectionIndex, const std::string& sectionName, Match match) const {
    // Each step climbs one PARENTCLASS; a chain that comes round again ends
    // after as many steps as there are sections.
    std::string name = sectionName;
    int index = sectionIndex;
    for (size_t step = 0; step <= gd.size(); ++step) {
        if (index < 0 || name.empty())
            return -1;
        if (int found = match(name); found >= 0)
            return found;
        if (static_cast<size_t>(index) >= gd.size())
            return -1;
        const std::string& parent = gd[static_cast<size_t>(index)].ParentClass;
        if (parent.empty() || parent == name)
            return -1;
        index = FindSection(parent);
        name = parent;
    }
    return -1;
}

int TsSkinManager::FindMask(int sectionIndex, const std::string& sectionName,
                            const std::string& propertyName) const {
    return FindInChain(sectionIndex, sectionName, [&](const std::string& section) {
        for (size_t i = 0; i < ma.size(); ++i)
            if (ma[i].SectionName == section && ma[i].PropertyName == propertyName)
                return static_cast<int>(i);
        return -1;
    });
}

int TsSkinManager::FindTexture(int sectionIndex, const std::string& sectionName,
                               const std::string& propertyName) const {
    return FindInChain(sectionIndex, sectionName, [&](const std::string& section) {
        for (size_t i = 0; i < ma.size(); ++i)
            if (ma[i].ImgType == itisaTexture && ma[i].SectionName == section &&
                ma[i].PropertyName == propertyName)
                return static_cast<int>(i);
        return -1;
    });
}

int TsSkinManager::FindPattern(int sectionIndex, const std::string& sectionName,
                               const std::string& propertyName) const {
    return FindInChain(sectionIndex, sectionName, [&](const std::string& section) {
        for (size_t i = 0; i < pa.size(); ++i)
            if (pa[i].SectionName == section && pa[i].PropertyName == propertyName)
                return static_cast<int>(i);
        return -1;
    });
}

namespace {

int SideMargin(int margin, int borderWidth, int extent, int divisor) {
    if (margin > 0)
        return margin;
    if (borderWidth > 0)
        return borderWidth;
    return extent / (divisor > 0 ? divisor : 3);
}

} // namespace

int TsSkinManager::MaskWidthLeft(int i) const {
    const TsMaskData& m = ma[static_cast<size_t>(i)];
    return SideMargin(m.WL, m.BorderWidth, m.R.Width(), (m.ImageCount > 0 ? m.ImageCount : 1) * 3);
}
int TsSkinManager::MaskWidthRight(int i) const {
    const TsMaskData& m = ma[static_cast<size_t>(i)];
    return SideMargin(m.WR, m.BorderWidth, m.R.Width(), (m.ImageCount > 0 ? m.ImageCount : 1) * 3);
}
int TsSkinManager::MaskWidthTop(int i) const {
    const TsMaskData& m = ma[static_cast<size_t>(i)];
    return SideMargin(m.WT, m.BorderWidth, m.R.Height(), (m.MaskType + 1) * 3);
}
int TsSkinManager::MaskWidthBottom(int i) const {
    const TsMaskData& m = ma[static_cast<size_t>(i)];
    return SideMargin(m.WB, m.BorderWidth, m.R.Height(), (m.MaskType + 1) * 3);
}

TColor TsSkinManager::ColorToRGB(TColor color) {
    if (color < 0)
        return static_cast<TColor>(SkinPlatform().SysColor(color & 0xFF));
    return color;
}

TColor TsSkinManager::GlobalBackColor() const {
    const int i = FindSection("GLOBALINFO");
    return i >= 0 ? ColorToRGB(gd[static_cast<size_t>(i)].Color)
                  : static_cast<TColor>(SkinPlatform().SysColor(15 /* COLOR_BTNFACE */));
}

TColor TsSkinManager::GlobalTextColor() const {
    const int i = FindSection("GLOBALINFO");
    return i >= 0 ? ColorToRGB(gd[static_cast<size_t>(i)].FontColor[0]) : clNone;
}

void TsSkinManager::RefreshCachedIndexes() {
    TsCachedIndexes c;
    c.GlobalInfo = FindSection("GLOBALINFO");
    if (c.GlobalInfo >= 0) {
        auto mask = [&](const char* name) { return FindMask(c.GlobalInfo, "GLOBALINFO", name); };
        c.BoxChecked = mask("BOXCHECKED");
        c.BoxUnchecked = mask("BOXUNCHECKED");
        c.BoxGrayed = mask("BOXGRAYED");
        c.RadioChecked = mask("RADIOCHECKED");
        c.RadioUnchecked = mask("RADIOUNCHECKED");
        c.RadioGrayed = mask("RADIOGRAYED");
        c.SmallChecked = mask("SMALLCHECKED");
        c.SmallUnchecked = mask("SMALLUNCHECKED");
        c.SmallGrayed = mask("SMALLGRAYED");
    }
    auto parts = [&](const char* section, bool glyph) {
        TsScrollParts p;
        p.Section = FindSection(section);
        p.BorderMask = FindMask(p.Section, section, "BORDERSMASK");
        if (glyph)
            p.GlyphMask = FindMask(p.Section, section, "GLYPHMASK");
        p.Pattern = FindMask(p.Section, section, "PATTERN");
        p.HotPattern = FindMask(p.Section, section, "HOTPATTERN");
        return p;
    };
    c.ComboBtn = parts("COMBOBTN", false);
    c.ComboBoxGlyph = FindMask(FindSection("COMBOBOX"), "COMBOBOX", "GLYPHMASK");
    const char* tabs[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
    for (size_t i = 0; i < 4; ++i) {
        c.Tabs[i].Section = FindSection(tabs[i]);
        c.Tabs[i].BorderMask = FindMask(c.Tabs[i].Section, tabs[i], "BORDERSMASK");
    }
    const char* buttons[] = {"SCROLLBTNTOP",   "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
                             "SCROLLBTNRIGHT", "SCROLLSLIDERV",   "SCROLLSLIDERH"};
    for (size_t i = 0; i < 6; ++i)
        c.ScrollButtons[i] = parts(buttons[i], true);
    const char* bars[] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
    for (size_t i = 0; i < 4; ++i)
        c.ScrollBars[i] = parts(bars[i], false);
    cached_ = c;
}
