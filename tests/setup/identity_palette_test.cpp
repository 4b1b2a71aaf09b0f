// Identity palette arithmetic, with a display's figures given as inputs: the
// static colours at both ends, the program's colours between, and figures
// that the 256-entry tables cannot hold refused before anything is written.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "identity_palette.h"

namespace {

const BYTE kUntouched = 0xEE;

// A system palette table with room past its 256 entries, every byte marked.
struct Table {
    PALETTEENTRY entries[256 + 16];
    Table()
    {
        for (int i = 0; i < 256 + 16; i++)
            entries[i] = {(BYTE)i, (BYTE)(255 - i), (BYTE)(i * 3), kUntouched};
    }
    bool Untouched() const
    {
        for (int i = 0; i < 256 + 16; i++)
            if (entries[i].peRed != (BYTE)i || entries[i].peGreen != (BYTE)(255 - i) ||
                entries[i].peBlue != (BYTE)(i * 3) || entries[i].peFlags != kUntouched)
                return false;
        return true;
    }
};

// Checks the flags of the first size entries: 0 for `ends` at each end,
// PC_NOCOLLAPSE between, colours unchanged, nothing past size written.
void ExpectMarked(const Table& t, int size, int ends)
{
    for (int i = 0; i < size; i++) {
        BYTE want = (i < ends || i >= size - ends) ? 0 : PC_NOCOLLAPSE;
        EXPECT_EQ(want, t.entries[i].peFlags) << "flags of entry " << i << " of " << size;
        EXPECT_EQ((BYTE)i, t.entries[i].peRed) << "colour of entry " << i << " changed";
    }
    for (int i = size; i < 256 + 16; i++)
        EXPECT_EQ(kUntouched, t.entries[i].peFlags) << "entry " << i << " past the palette was written";
}

TEST(IdentityPaletteArithmetic, TwentyStaticColoursInAPaletteOf256LeaveTenAtEachEnd)
{
    Table t;
    ASSERT_TRUE(MarkIdentityEntries(t.entries, 20, 256));
    ExpectMarked(t, 256, 10);
    EXPECT_EQ(0, t.entries[9].peFlags);
    EXPECT_EQ(PC_NOCOLLAPSE, t.entries[10].peFlags);
    EXPECT_EQ(PC_NOCOLLAPSE, t.entries[245].peFlags);
    EXPECT_EQ(0, t.entries[246].peFlags);
}

TEST(IdentityPaletteArithmetic, AnOddStaticCountGivesItsOddColourToTheProgram)
{
    Table t;
    ASSERT_TRUE(MarkIdentityEntries(t.entries, 21, 256));
    ExpectMarked(t, 256, 10);
}

TEST(IdentityPaletteArithmetic, NoStaticColoursLeaveEveryEntryToTheProgram)
{
    Table t;
    ASSERT_TRUE(MarkIdentityEntries(t.entries, 0, 256));
    ExpectMarked(t, 256, 0);
}

TEST(IdentityPaletteArithmetic, AllStaticColoursLeaveNoneToTheProgram)
{
    Table t;
    ASSERT_TRUE(MarkIdentityEntries(t.entries, 256, 256));
    ExpectMarked(t, 256, 128);
}

TEST(IdentityPaletteArithmetic, ASmallerSystemPaletteIsMarkedToItsOwnEnd)
{
    Table t;
    ASSERT_TRUE(MarkIdentityEntries(t.entries, 4, 16));
    ExpectMarked(t, 16, 2);
}

struct Figures {
    int staticCount, paletteSize;
};

class UnusableFigures : public ::testing::TestWithParam<Figures> {};

TEST_P(UnusableFigures, AreRefusedAndNothingIsWritten)
{
    Figures f = GetParam();
    EXPECT_FALSE(IdentityFiguresUsable(f.staticCount, f.paletteSize));
    Table t;
    EXPECT_FALSE(MarkIdentityEntries(t.entries, f.staticCount, f.paletteSize));
    EXPECT_TRUE(t.Untouched()) << "NUMCOLORS " << f.staticCount << ", SIZEPALETTE " << f.paletteSize;
}

INSTANTIATE_TEST_SUITE_P(Figures, UnusableFigures,
                         ::testing::Values(Figures{-1, 256},   // Wine's 8-bit screen
                                           Figures{257, 256}, Figures{20, 257}, Figures{20, 4096},
                                           Figures{20, 0}, Figures{20, -1}, Figures{30, 20}));

TEST(IdentityPaletteArithmetic, UsableFiguresGoUpTo256)
{
    EXPECT_TRUE(IdentityFiguresUsable(20, 256));
    EXPECT_TRUE(IdentityFiguresUsable(0, 1));
    EXPECT_TRUE(IdentityFiguresUsable(256, 256));
    EXPECT_FALSE(MarkIdentityEntries(NULL, 20, 256));
}

// The rebuild on a real palette object: figures it refuses leave it alone.
class IdentityRebuildRefused : public ::testing::TestWithParam<PaletteDeviceFigures> {};

TEST_P(IdentityRebuildRefused, LeavesThePaletteAsItWas)
{
    std::vector<BYTE> block(sizeof(LOGPALETTE) + 15 * sizeof(PALETTEENTRY));
    LOGPALETTE* logPalette = reinterpret_cast<LOGPALETTE*>(block.data());
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = 16;
    PALETTEENTRY* colours = logPalette->palPalEntry;
    for (int i = 0; i < 16; i++)
        colours[i] = {(BYTE)(i * 16), (BYTE)i, 7, 0};
    HPALETTE palette = CreatePalette(logPalette);
    ASSERT_TRUE(palette != NULL);
    HDC dc = CreateCompatibleDC(NULL);
    EXPECT_FALSE(RebuildIdentityPalette(dc, palette, GetParam()));
    WORD count = 0;
    GetObjectA(palette, sizeof count, &count);
    EXPECT_EQ(16, count) << "the palette was resized";
    PALETTEENTRY entries[16];
    GetPaletteEntries(palette, 0, 16, entries);
    for (int i = 0; i < 16; i++)
        EXPECT_TRUE(entries[i].peRed == i * 16 && entries[i].peGreen == i && entries[i].peFlags == 0) << "entry " << i;
    DeleteDC(dc);
    DeleteObject(palette);
}

INSTANTIATE_TEST_SUITE_P(Figures, IdentityRebuildRefused,
                         ::testing::Values(PaletteDeviceFigures{0, 20, 256},  // no palette device
                                           PaletteDeviceFigures{RC_PALETTE, -1, 256},
                                           PaletteDeviceFigures{RC_PALETTE, 20, 257},
                                           PaletteDeviceFigures{RC_PALETTE, 300, 256}));

TEST(IdentityPaletteRebuild, NeedsADcAndAPalette)
{
    PaletteDeviceFigures figures = {RC_PALETTE, 20, 256};
    HDC dc = CreateCompatibleDC(NULL);
    EXPECT_FALSE(RebuildIdentityPalette(dc, NULL, figures));
    HPALETTE palette = (HPALETTE)GetStockObject(DEFAULT_PALETTE);
    EXPECT_FALSE(RebuildIdentityPalette(NULL, palette, figures));
    DeleteDC(dc);
}

}  // namespace
