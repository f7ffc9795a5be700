// The toolbar, its bitmap, the icon, the dialog templates and the version record:
// a button without an image, a pixel outside the palette, a control hanging over
// its dialog's edge or covering another would all show on the screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

#include "resource_ids.h"
#include "resource_lookup.h"

using namespace platform;
using restest::FindDialog;
using restest::Module;
using restest::ToolbarItems;

namespace {

const BitmapResource* FindBitmap(UINT id) {
    for (const auto& bitmap : Module().bitmaps) {
        if (bitmap.id == id) return &bitmap;
    }
    return nullptr;
}

const IconResource* FindIcon(UINT id) {
    for (const auto& icon : Module().icons) {
        if (icon.id == id) return &icon;
    }
    return nullptr;
}

void ExpectWellFormed(const Image16& image, bool transparentAllowed) {
    ASSERT_EQ(image.rows.size(), static_cast<std::size_t>(image.height));
    const std::string digits = transparentAllowed ? "0123456789ABCDEF " : "0123456789ABCDEF";
    for (std::size_t y = 0; y < image.rows.size(); ++y) {
        const std::string row(image.rows[y]);
        EXPECT_EQ(row.size(), static_cast<std::size_t>(image.width)) << "row " << y;
        EXPECT_EQ(row.find_first_not_of(digits), std::string::npos) << "row " << y << ": " << row;
    }
}

bool Overlap(const DialogItemTemplate& a, const DialogItemTemplate& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

bool IsDefaultButton(const DialogItemTemplate& item) {
    return item.controlClass == ControlClass::Button && (item.style & 0x0F) == BS_DEFPUSHBUTTON;
}

class EachDialog : public testing::TestWithParam<UINT> {
protected:
    const DialogTemplate& Dialog() const {
        const auto* dialog = FindDialog(GetParam());
        if (dialog == nullptr) throw std::runtime_error("no such dialog");
        return *dialog;
    }
};

}  // namespace

TEST(Toolbar, ResourceIsThirtyBytesOfElevenItems) {
    ASSERT_EQ(Module().toolbars.size(), 1u);
    const auto words = Module().toolbars[0].words;
    EXPECT_EQ(words.size_bytes(), 30u);
    ASSERT_GE(words.size(), 4u);
    EXPECT_EQ(words[0], 1);   // version
    EXPECT_EQ(words[1], 16);  // button width
    EXPECT_EQ(words[2], 15);  // button height
    EXPECT_EQ(words[3], words.size() - 4);
    EXPECT_EQ(words[3], 11);
}

TEST(Toolbar, BitmapHoldsOneImageForEachButton) {
    const auto items = ToolbarItems();
    const auto buttons = items.size() - std::count(items.begin(), items.end(), ID_SEPARATOR);
    EXPECT_EQ(buttons, 8u);
    const auto* bitmap = FindBitmap(IDR_MAINFRAME);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->image.width, 16 * static_cast<int>(buttons));
    EXPECT_EQ(bitmap->image.width, 128);
    EXPECT_EQ(bitmap->image.height, 15);
    ExpectWellFormed(bitmap->image, false);
}

TEST(Icon, HasA32And16PixelImageInThePalette) {
    const auto* icon = FindIcon(IDR_MAINFRAME);
    ASSERT_NE(icon, nullptr);
    std::set<int> sizes;
    for (const auto& image : icon->images) {
        EXPECT_EQ(image.width, image.height);
        sizes.insert(image.width);
        ExpectWellFormed(image, true);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

TEST_P(EachDialog, ControlsLieInsideTheDialog) {
    const auto& dialog = Dialog();
    for (const auto& item : dialog.items) {
        EXPECT_TRUE(item.x >= 0 && item.y >= 0 && item.cx > 0 && item.cy > 0 &&
                    item.x + item.cx <= dialog.cx && item.y + item.cy <= dialog.cy)
            << "\"" << item.text << "\" at " << item.x << "," << item.y << " size " << item.cx
            << "x" << item.cy;
    }
}

TEST_P(EachDialog, ControlsDoNotCoverEachOther) {
    const auto items = Dialog().items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            EXPECT_FALSE(Overlap(items[i], items[j]))
                << "controls " << i + 1 << " and " << j + 1 << " overlap";
        }
    }
}

TEST_P(EachDialog, ControlIdsAreUniqueApartFromStatics) {
    std::set<int> ids;
    for (const auto& item : Dialog().items) {
        if (item.id == IDC_STATIC) continue;
        EXPECT_TRUE(ids.insert(item.id).second) << "id " << item.id;
    }
}

TEST_P(EachDialog, OkIsTheDefaultButtonAndHasTheFocusFirst) {
    const auto items = Dialog().items;
    EXPECT_EQ(std::count_if(items.begin(), items.end(), IsDefaultButton), 1);
    const auto firstTabStop = std::find_if(items.begin(), items.end(), [](const auto& item) {
        return (item.style & WS_TABSTOP) != 0;
    });
    ASSERT_NE(firstTabStop, items.end());
    EXPECT_EQ(firstTabStop->id, static_cast<int>(IDOK));
    EXPECT_TRUE(IsDefaultButton(*firstTabStop));
}

TEST_P(EachDialog, AnIconControlShowsAnExistingIcon) {
    for (const auto& item : Dialog().items) {
        if (item.controlClass == ControlClass::Static && (item.style & 0x0F) == SS_ICON) {
            EXPECT_NE(FindIcon(item.iconId), nullptr) << "icon " << item.iconId;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, EachDialog, testing::Values(IDD_PARAMS, IDD_ABOUTBOX));

TEST(VersionRecord, AgreesWithItselfAndWithTheAboutBox) {
    const auto* version = Module().version;
    ASSERT_NE(version, nullptr);
    auto asText = [](const std::uint16_t(&parts)[4]) {
        return std::to_string(parts[0]) + ", " + std::to_string(parts[1]) + ", " +
               std::to_string(parts[2]) + ", " + std::to_string(parts[3]);
    };
    std::set<std::string> keys;
    std::string copyright;
    for (const auto& entry : version->strings) {
        EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
        const std::string key(entry.key);
        if (key == "FileVersion") {
            EXPECT_EQ(entry.value, asText(version->fileVersion));
        } else if (key == "ProductVersion") {
            EXPECT_EQ(entry.value, asText(version->productVersion));
        } else if (key == "LegalCopyright") {
            copyright = entry.value;
        }
    }
    EXPECT_EQ(keys.size(), 9u);

    const auto* about = FindDialog(IDD_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(std::any_of(about->items.begin(), about->items.end(),
                            [&](const auto& item) { return item.text == copyright; }))
        << "the About box does not show \"" << copyright << "\"";
    EXPECT_FALSE(copyright.empty());
}
