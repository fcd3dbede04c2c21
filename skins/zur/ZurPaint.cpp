// Draws the three pictures of the internal skin "ZUR (internal)": the master
// bitmap that most masks are cut from, the huge-button frame and the
// title-bar decoration. The build runs it and packs its output with
// Options.dat; every rectangle drawn here is the one Options.dat names.
//
//   zurpaint <output folder>
#include "skin/sBitmap.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// Colours as 0x00BBGGRR, named by their role.
constexpr uint32_t Key = 0xFF00FF;    // transparent
constexpr uint32_t Opaque = 0x000000; // mask row: take the skin pixel
constexpr uint32_t Clear = 0xFFFFFF;  // mask row: keep what lies underneath
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Paper = 0xF0E8E2;      // the window colour, RGB(226,232,240)
constexpr uint32_t PaperLight = 0xF9F5F2; // towards white
constexpr uint32_t Line = 0x968A80;       // quiet frame line, RGB(128,138,150)
constexpr uint32_t LineDark = 0x73624D;   // RGB(77,98,115)
constexpr uint32_t Slate = 0x4D352B;      // active title, RGB(43,53,77)
constexpr uint32_t SlateSoft = 0xB4A69A;  // inactive title line
// The last colours of the caption gradients (FORMTITLE's GRADIENTDATA and HOTGRADIENTDATA).
constexpr uint32_t TitleEnd = 0xAA9E96;       // RGB(150,158,170)
constexpr uint32_t TitleEndActive = 0x4D352B; // RGB(43,53,77)
constexpr uint32_t Accent = 0xD08A3C;         // hot blue, RGB(60,138,208)
constexpr uint32_t AccentDark = 0x9A5E24;     // pressed blue
constexpr uint32_t AccentPale = 0xFFE7BA;     // selection, RGB(186,231,255)
constexpr uint32_t Glyph = 0x4D352B;          // glyphs on light faces
constexpr uint32_t CloseHot = 0x3C3CC8;       // red close face, RGB(200,60,60)
constexpr uint32_t ClosePressed = 0x28288C;

struct TCanvas {
    TsBitmap24& b;
    void Fill(int l, int t, int r, int bt, uint32_t c) {
        for (int y = t; y < bt; ++y)
            for (int x = l; x < r; ++x)
                b.SetPixel(x, y, c);
    }
    void Put(int x, int y, uint32_t c) { b.SetPixel(x, y, c); }
    // A 1-pixel rectangle outline, right and bottom exclusive.
    void Frame(int l, int t, int r, int bt, uint32_t c) { Frame2(l, t, r, bt, c, c); }
    // Outline with top/left in one colour and bottom/right in another (bevels).
    void Frame2(int l, int t, int r, int bt, uint32_t topLeft, uint32_t bottomRight) {
        for (int x = l; x < r; ++x) {
            Put(x, t, topLeft);
            Put(x, bt - 1, bottomRight);
        }
        for (int y = t; y < bt; ++y) {
            Put(l, y, topLeft);
            Put(r - 1, y, bottomRight);
        }
        Put(r - 1, t, bottomRight);
        Put(l, bt - 1, topLeft);
    }
    // Key-coloured corner pixels that round a frame's outline.
    void RoundCorners(int l, int t, int r, int bt, bool top, bool bottom) {
        if (top) {
            Put(l, t, Key);
            Put(r - 1, t, Key);
        }
        if (bottom) {
            Put(l, bt - 1, Key);
            Put(r - 1, bt - 1, Key);
        }
    }
    // Mask row for the picture row above it (height h): opaque wherever the
    // picture is not key-coloured.
    void MaskFromPicture(int l, int t, int r, int h) {
        for (int y = t; y < t + h; ++y)
            for (int x = l; x < r; ++x)
                Put(x, y + h, b.Pixel(x, y) == Key ? Clear : Opaque);
    }
};

uint32_t Mix(uint32_t a, uint32_t b, int percentOfB) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= uint32_t((ca * (100 - percentOfB) + cb * percentOfB + 50) / 100) << shift;
    }
    return out;
}

// The five title-bar glyphs, 8 x 7 each, drawn centred in a 16 x 13 frame.
const char* const TitleGlyphs[5][7] = {
    {"##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"}, // close
    {"........", "........", "........", "........", "........", "########", "########"}, // minimise
    {"########", "########", "#......#", "#......#", "#......#", "#......#", "########"}, // maximise
    {"..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "######.."}, // restore
    {"..####..", ".##..##.", ".....##.", "....##..", "...##...", "........", "...##..."}, // help
};

void DrawTitleButtons(TCanvas& c) {
    for (int icon = 0; icon < 5; ++icon) {
        const int left = icon * 48, top = 40;
        for (int state = 0; state < 3; ++state) {
            const int l = left + state * 16;
            const bool close = icon == 0;
            // The normal face is the bare glyph over the caption bar: light,
            // for the dark active bar (the inactive bar shows it faded).
            uint32_t face = Key, glyph = White;
            if (state == 1) {
                face = close ? CloseHot : AccentPale;
                glyph = close ? White : Slate;
            } else if (state == 2) {
                face = close ? ClosePressed : Accent;
                glyph = White;
            }
            c.Fill(l, top, l + 16, top + 13, Key);
            if (face != Key) {
                c.Fill(l + 1, top + 1, l + 15, top + 12, face);
                c.Frame(l, top, l + 16, top + 13, close ? ClosePressed : AccentDark);
                c.RoundCorners(l, top, l + 16, top + 13, true, true);
            }
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 8; ++x)
                    if (TitleGlyphs[icon][y][x] == '#')
                        c.Put(l + 4 + x, top + 3 + y, glyph);
        }
        c.MaskFromPicture(left, top, left + 48, 13);
    }
}

// A glyph row of three frames: normal, hot, pressed.
void DrawArrowFrames(TCanvas& c, int left, int top, int w, int h, char direction) {
    const uint32_t colours[3] = {LineDark, Accent, AccentDark};
    for (int state = 0; state < 3; ++state) {
        const int l = left + state * w;
        c.Fill(l, top, l + w, top + h, Key);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                bool on = false;
                switch (direction) {
                case 'u':
                    on = x >= h - 1 - y && x <= w - h + y;
                    break; // 7 x 4
                case 'd':
                    on = x >= y && x < w - y;
                    break;
                case 'l':
                    on = y >= w - 1 - x && y <= h - w + x;
                    break; // 4 x 7
                case 'r':
                    on = y >= x && y < h - x;
                    break;
                }
                if (on)
                    c.Put(l + x, top + y, colours[state]);
            }
    }
}

void DrawMaster(TsBitmap24& master) {
    TCanvas c{master};
    c.Fill(0, 0, master.Width, master.Height, Key);

    // FORM frame: inactive and active, 12 x 12, 3-pixel border.
    for (int state = 0; state < 2; ++state) {
        const int l = state * 12;
        const uint32_t outer = state ? Slate : SlateSoft;
        c.Fill(l, 0, l + 12, 12, Paper);
        c.Frame(l, 0, l + 12, 12, outer);
        c.Frame(l + 1, 1, l + 11, 11, state ? Mix(Slate, Paper, 60) : PaperLight);
        c.Fill(l + 3, 3, l + 9, 9, Key);
        c.RoundCorners(l, 0, l + 12, 12, true, false);
    }
    // FORMTITLE frame: 24 x 24 per state with 2-pixel margins, only the
    // outer line and a highlight; the caption gradient shows through all they
    // enclose. Key pixels of a corner piece show what lies behind the window
    // and are cut from its outline, so the only key pixels there are the two
    // rounding the top corners; the bottom corners carry the gradient's last
    // colour.
    for (int state = 0; state < 2; ++state) {
        const int l = 24 + state * 24;
        const uint32_t outer = state ? Slate : SlateSoft;
        const uint32_t barEnd = state ? TitleEndActive : TitleEnd;
        c.Fill(l, 0, l + 24, 24, Key);
        for (int x = l; x < l + 24; ++x)
            c.Put(x, 0, outer);
        for (int y = 0; y < 24; ++y) {
            c.Put(l, y, outer);
            c.Put(l + 23, y, outer);
        }
        for (int x = l + 1; x < l + 23; ++x)
            c.Put(x, 1, state ? Mix(Slate, White, 35) : White);
        for (int y = 22; y < 24; ++y) {
            c.Put(l + 1, y, barEnd);
            c.Put(l + 22, y, barEnd);
        }
        c.RoundCorners(l, 0, l + 24, 24, true, false);
    }

    DrawTitleButtons(c);

    // MAINMENU: pop-up body with a 3-pixel border.
    c.Fill(0, 72, 12, 84, 0xFCFAF9);
    c.Frame(0, 72, 12, 84, Line);
    c.Fill(3, 75, 9, 81, Key);
    c.RoundCorners(0, 72, 12, 84, true, true);
    // MENUITEM: three 12 x 12 frames, never drawn in state 0.
    for (int state = 0; state < 3; ++state) {
        const int l = 12 + state * 12;
        c.Fill(l, 72, l + 12, 84, Key);
        if (state)
            c.Frame(l, 72, l + 12, 84, state == 1 ? Accent : AccentDark);
    }
    // TRACKBAR channel, also the menu separator: dark line over light line.
    c.Fill(48, 72, 60, 76, Key);
    for (int x = 48; x < 60; ++x) {
        c.Put(x, 72, Line);
        c.Put(x, 75, White);
    }
    // PANEL: a 1-pixel raised edge.
    c.Frame2(60, 72, 66, 78, White, Line);
    // GROUPBOX: lowered outside, raised inside.
    c.Frame2(66, 72, 78, 84, Line, White);
    c.Frame2(67, 73, 77, 83, White, Line);
    // EDIT: quiet and focused frames.
    c.Frame(78, 72, 90, 84, Line);
    c.Frame(79, 73, 89, 83, White);
    c.Frame(90, 72, 102, 84, Accent);
    c.Frame(91, 73, 101, 83, AccentPale);
    // COLHEADER: normal, hot, pressed: a bottom rule and a right divider.
    for (int state = 0; state < 3; ++state) {
        const int l = 102 + state * 12;
        const uint32_t rule = state == 2 ? LineDark : Line;
        for (int x = l; x < l + 12; ++x) {
            c.Put(x, 82, state == 1 ? Accent : Mix(rule, White, 40));
            c.Put(x, 83, rule);
        }
        for (int y = 74; y < 82; ++y) {
            c.Put(l + 10, y, Mix(rule, White, 30));
            c.Put(l + 11, y, White);
        }
    }
    // BUTTON: 36 x 24 at (177, 72): three 12 x 12 frames over their mask row.
    for (int state = 0; state < 3; ++state) {
        const int l = 177 + state * 12;
        const uint32_t edge = state == 0 ? Line : state == 1 ? Accent : AccentDark;
        c.Fill(l, 72, l + 12, 84, Key);
        c.Frame(l, 72, l + 12, 84, edge);
        c.Frame(l + 1, 73, l + 11, 83, state == 2 ? Mix(AccentDark, White, 60) : White);
        if (state == 1)
            c.Frame(l + 1, 73, l + 11, 83, AccentPale);
        c.RoundCorners(l, 72, l + 12, 84, true, true);
        // Softened corners: the pixels beside a cut corner take half the edge.
        c.Put(l + 1, 72, Mix(edge, Paper, 50));
        c.Put(l, 73, Mix(edge, Paper, 50));
        c.Put(l + 10, 72, Mix(edge, Paper, 50));
        c.Put(l + 11, 73, Mix(edge, Paper, 50));
        c.Put(l + 1, 83, Mix(edge, Paper, 50));
        c.Put(l, 82, Mix(edge, Paper, 50));
        c.Put(l + 10, 83, Mix(edge, Paper, 50));
        c.Put(l + 11, 82, Mix(edge, Paper, 50));
        c.Fill(l + 2, 74, l + 10, 82, Key); // the gradient face shows in the middle
    }
    c.MaskFromPicture(177, 72, 213, 12);

    // Scroll-bar buttons and thumbs: three 12 x 12 frames each.
    for (int part = 0; part < 2; ++part) {
        const int left = part ? 102 : 0;
        for (int state = 0; state < 3; ++state) {
            const int l = left + state * 12;
            c.Fill(l, 100, l + 12, 112, Key);
            c.Frame(l, 100, l + 12, 112, state == 0 ? Line : state == 1 ? Accent : AccentDark);
            c.Frame(l + 1, 101, l + 11, 111, state == 2 ? Mix(AccentDark, White, 60) : White);
        }
    }
    DrawArrowFrames(c, 36, 100, 7, 4, 'u');
    DrawArrowFrames(c, 57, 100, 7, 4, 'd');
    DrawArrowFrames(c, 78, 100, 4, 7, 'l');
    DrawArrowFrames(c, 90, 100, 4, 7, 'r');
    // Thumb grip: three short ridges per frame.
    for (int state = 0; state < 3; ++state) {
        const int l = 138 + state * 8;
        c.Fill(l, 100, l + 8, 108, Key);
        for (int ridge = 0; ridge < 3; ++ridge) {
            const int y = 101 + ridge * 2 + (ridge ? ridge - 1 : 0);
            for (int x = l + 1; x < l + 7; ++x) {
                c.Put(x, y, state ? Accent : Line);
                c.Put(x, y + 1, White);
            }
        }
    }
    // FORM texture: a 2 x 116 strip, lighter at the top, tiled along the window's top.
    for (int y = 0; y < 116; ++y) {
        const uint32_t colour = Mix(PaperLight, Paper, y * 100 / 115);
        c.Put(279, y, colour);
        c.Put(280, y, colour);
    }
}

// The huge button: three 24 x 24 frames over their mask row.
void DrawHugeButton(TsBitmap24& b) {
    TCanvas c{b};
    c.Fill(0, 0, b.Width, b.Height, Key);
    for (int state = 0; state < 3; ++state) {
        const int l = state * 24;
        const uint32_t edge = state == 0 ? Line : state == 1 ? Accent : AccentDark;
        c.Frame(l, 0, l + 24, 24, edge);
        c.Frame(l + 1, 1, l + 23, 23, state == 1 ? AccentPale : White);
        c.Frame(l + 2, 2, l + 22, 22, Mix(edge, White, 70));
        c.RoundCorners(l, 0, l + 24, 24, true, true);
        c.Put(l + 1, 1, edge);
        c.Put(l + 22, 1, edge);
        c.Put(l + 1, 22, edge);
        c.Put(l + 22, 22, edge);
    }
    c.MaskFromPicture(0, 0, 72, 24);
}

// The title-bar decoration: soft diagonal stripes fading out to the left,
// half see-through over the caption bar so that the title buttons drawn
// over them stand out.
void DrawTopRight(TsBitmap24& b) {
    TCanvas c{b};
    const int h = b.Height / 2;
    c.Fill(0, 0, b.Width, b.Height, Key);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < b.Width; ++x) {
            const int d = (x + y) % 8;
            if (d < 3 && x >= b.Width - 2 * h + y)
                c.Put(x, y, Mix(0x8A6E5C, White, 40 + 15 * d));
        }
    c.MaskFromPicture(0, 0, b.Width, h);
    // Mask grey 0x9A: about 60 % of the bar shows through each stripe.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < b.Width; ++x)
            if (b.Pixel(x, y + h) == Opaque)
                c.Put(x, y + h, 0x9A9A9A);
}

bool Save(const std::string& path, const TsBitmap24& bitmap) {
    const std::vector<uint8_t> bytes = EncodeBmp(bitmap);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zurpaint <output folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    TsBitmap24 master(288, 160), huge(72, 48), topRight(48, 44);
    DrawMaster(master);
    DrawHugeButton(huge);
    DrawTopRight(topRight);
    if (!Save(folder + "HUGEBTN.BMP", huge) || !Save(folder + "Master.bmp", master) ||
        !Save(folder + "TOPRIGHT.BMP", topRight)) {
        std::fprintf(stderr, "zurpaint: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
