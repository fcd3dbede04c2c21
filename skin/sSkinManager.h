#pragma once
// The skin manager: chooses where the skin comes from (an archive file, a
// skin folder or a skin stored in the form), reads its options text and
// pictures, and keeps the section, mask and pattern tables that skinned
// controls paint from.
#include "base/Component.h"
#include "qzStreams.h"
#include "sIniFile.h"
#include "sSkinData.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TqzSkinConvertor;
class TsSkinableMenus;
class TMenuItem;

enum TqzSkinningRule { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TqzSkinningRules = unsigned;
enum TqzBtnEvent { beMouseEnter = 1, beMouseLeave = 2, beMouseDown = 4, beMouseUp = 8 };

struct TsFontDesc {
    std::string Name = "Tahoma";
    int Height = -11;
    TColor Color = 0;
    bool Bold = false;
};

struct TqzMenuSupport {
    std::string IcoLineSkin;
    bool UseExtraLine = false;
    int ExtraLineWidth = 32;
    TsFontDesc ExtraLineFont;
};

struct TqzAnimEffect {
    bool Active = true;
    int Time = 0;
};
struct TqzAnimEffects {
    struct {
        unsigned Events = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
    } Buttons;
    TqzAnimEffect DialogShow{true, 100};
    TqzAnimEffect FormShow{true, 0};
    TqzAnimEffect PageChange{true, 0};
    TqzAnimEffect SkinChanging{true, 0};
};

// The seventeen class-name lists of standard controls skinned by adapters;
// the index picks the adapter.
inline constexpr int ThirdPartyListCount = 17;
struct ThirdPartyList {
    std::array<std::string, ThirdPartyListCount> Lists; // one class name per line
    static const std::array<const char*, ThirdPartyListCount>& PropertyNames();
    static std::string DefaultText(int index);
};

// A skin kept in the form. With Data empty, its own tables supply the skin.
struct TsStoredSkin {
    std::string Name;
    TsGeneralDataArray GeneralData;
    TsMaskArray Images;
    TsPatternArray Patterns;
    TsBitmapPtr MasterBitmap;
    TColor Shadow1Color = 0;
    int Shadow1Offset = 0;
    int Shadow1Blur = -1;
    int Shadow1Transparency = 0;
    TColor BorderColor = clNone;
    double Version = 0;
    std::string Author;
    std::string Description;
    TMemoryStream Data; // a packed archive
};
using TsStoredSkins = std::vector<TsStoredSkin>;

class TsSkinManager : public TComponent {
public:
    explicit TsSkinManager(TComponent* owner);
    ~TsSkinManager() override;

    // Form reading: between BeginLoading and Loaded the manager is being read.
    void BeginLoading() { loading_ = true; }
    void Loaded();
    bool Loading() const { return loading_; }

    bool Active() const { return active_; }
    void SetActive(bool value);
    const std::string& SkinName() const { return skinName_; }
    // Loads the named skin at once. A skin that cannot be read ends the load
    // with its error; the manager is then inactive, with no tables.
    void SetSkinName(const std::string& value);
    // Loads the stored skin of that name (the first stored skin when none has
    // it), whatever the skin directory holds, and makes the manager active.
    void LoadStoredSkin(const std::string& name);
    const std::string& SkinDirectory() const { return skinDirectory_; }
    void SetSkinDirectory(const std::string& value);
    TsStoredSkins& InternalSkins() { return internalSkins_; }
    std::string SkinInfo() const;
    void SetSkinInfo(const std::string&) {} // read-only in effect
    static std::string Version() { return "5.65"; }
    int HueOffset() const { return hueOffset_; }
    void SetHueOffset(int value);
    int Saturation() const { return saturation_; }
    void SetSaturation(int value);
    bool IsDefault() const;
    void SetIsDefault(bool value);
    TqzSkinningRules SkinningRules = srStdForms | srStdDialogs | srThirdParty;
    bool SkinnedPopups = true;
    ThirdPartyList ThirdParty;
    const std::vector<std::string>& CommonSections() const { return commonSections_; }
    void SetCommonSections(const std::vector<std::string>& lines);
    TqzMenuSupport MenuSupport;
    TqzAnimEffects AnimEffects;
    std::function<void()> OnBeforeChange;
    std::function<void()> OnAfterChange;
    // The extra line of a pop-up (its first item given): its section, text,
    // picture and visibility.
    std::function<void(TMenuItem& firstItem, std::string& section, std::string& text, TsBitmapPtr& picture,
                       bool& visible)>
        OnGetMenuExtraLineData;
    // The painter of the application's menus.
    TsSkinableMenus& SkinableMenus() { return *skinableMenus_; }

    // The tables of the loaded skin.
    TsGeneralDataArray gd;
    TsMaskArray ma;
    TsPatternArray pa;
    TsBitmapPtr MasterBitmap;
    TsSkinData SkinData;
    bool SkinIsPacked() const { return fromArchive_; }
    // The class names of each ThirdParty list, one per entry.
    const std::array<std::vector<std::string>, ThirdPartyListCount>& ThirdLists() const {
        return thirdLists_;
    }

    int FindSection(const std::string& name) const;
    int FindMask(int sectionIndex, const std::string& sectionName, const std::string& propertyName) const;
    int FindTexture(int sectionIndex, const std::string& sectionName, const std::string& propertyName) const;
    int FindPattern(int sectionIndex, const std::string& sectionName, const std::string& propertyName) const;
    int MaskWidthLeft(int maskIndex) const;
    int MaskWidthTop(int maskIndex) const;
    int MaskWidthRight(int maskIndex) const;
    int MaskWidthBottom(int maskIndex) const;
    TColor GlobalBackColor() const;
    TColor GlobalTextColor() const;
    // A colour in system-colour form (0x80000000 | index) turned into RGB.
    static TColor ColorToRGB(TColor color);

    // Resolving and normalising skin folders.
    std::string ResolvedSkinDirectory() const;
    static std::string NormalizeDir(const std::string& directory);

    // Cached indexes, refreshed whenever the skin is announced.
    struct TsScrollParts {
        int Section = -1, BorderMask = -1, GlyphMask = -1, Pattern = -1, HotPattern = -1;
    };
    struct TsCachedIndexes {
        int GlobalInfo = -1;
        int BoxChecked = -1, BoxUnchecked = -1, BoxGrayed = -1;
        int RadioChecked = -1, RadioUnchecked = -1, RadioGrayed = -1;
        int SmallChecked = -1, SmallUnchecked = -1, SmallGrayed = -1;
        TsScrollParts ComboBtn;
        int ComboBoxGlyph = -1;
        std::array<TsScrollParts, 4> Tabs;          // TABTOP, TABBOTTOM, TABLEFT, TABRIGHT
        std::array<TsScrollParts, 6> ScrollButtons; // SCROLLBTNTOP ... SCROLLSLIDERH
        std::array<TsScrollParts, 4> ScrollBars;    // SCROLLBAR1H, 1V, 2H, 2V
    };
    const TsCachedIndexes& Cached() const { return cached_; }

    // The skin announced to every form and its controls (skin command 1),
    // taken off them (command 2), or repainted (commands 16 and 3).
    void UpdateSkin(bool repaint = true);
    void RemoveSkin();
    void RepaintForms();
    bool Destroying() const { return destroying_; }
    // The manager watches the application's main window for its pop-up menus
    // (the default manager on the NT family).
    bool HooksMainWindow() const { return mainWindowHook_ != 0; }

private:
    void LoadSkin();
    void LoadSkinFrom(bool storedOnly);
    // Reads the options and pictures into the tables; false when there was
    // no skin to read and the manager went inactive.
    bool ReadSkin(bool storedOnly);
    void LoadFromConvertor(TqzSkinConvertor& convertor);
    void LoadFromStoredTables(const TsStoredSkin& stored);
    void ReloadCurrent();
    void BuildTables(const TsIniText& options);
    void BuildMasks(const TsIniText& options);
    void BuildPatterns(const TsIniText& options);
    void BuildSections(const TsIniText& options);
    void ApplyHueAndSaturation();
    void FreeTables();
    void RefreshCachedIndexes();
    void FillThirdLists(bool reset);
    // A message of the application's main window; false: the window handles it as always.
    bool MainWindowMessage(unsigned message);
    // A picture by name: from the archive when the skin is packed, else a file.
    std::unique_ptr<TsBitmap24> LoadPicture(const std::string& name, bool jpeg) const;
    const std::vector<uint8_t>* PictureBytes(const std::string& name, std::vector<uint8_t>& fileBytes) const;
    template <typename Match>
    int FindInChain(int sectionIndex, const std::string& sectionName, Match match) const;

    bool loading_ = false;
    bool active_ = true;
    std::string skinName_;
    std::string skinDirectory_;
    TsStoredSkins internalSkins_;
    int hueOffset_ = 0;
    int saturation_ = 0;
    std::vector<std::string> commonSections_;
    bool fromArchive_ = false;
    TqzSkinConvertor* convertor_ = nullptr; // the archive while a skin is being loaded
    std::array<std::vector<std::string>, ThirdPartyListCount> thirdLists_;
    TsCachedIndexes cached_;
    bool destroying_ = false;
    std::unique_ptr<TsSkinableMenus> skinableMenus_;
    int mainWindowHook_ = 0; // the application's number for the hook, 0 none
};

// The colour with its hue rotated by hueOffset degrees and its saturation
// changed by (-saturation) mod 101 percent; the key colour and greys stay.
uint32_t ChangeHueSaturation(uint32_t color, int hueOffset, int saturation);

// The process-wide default manager: the first one created, or nullptr.
TsSkinManager* DefaultManager();
