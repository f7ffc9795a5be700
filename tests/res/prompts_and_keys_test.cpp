// The menu, accelerators and prompt strings as the user meets them: every command
// shows a prompt in the status bar and a tooltip on its button, every shortcut
// written on the menu really works, and no mnemonic or key is taken twice.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <utility>

#include "resource_ids.h"
#include "resource_lookup.h"

using namespace platform;
using restest::FindString;
using restest::MenuCommands;
using restest::Module;
using restest::ToolbarItems;

namespace {

bool IsRecentFile(UINT id) { return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST; }

std::span<const AcceleratorEntry> MainAccelerators() {
    for (const auto& table : Module().accelerators) {
        if (table.id == IDR_MAINFRAME) return table.entries;
    }
    return {};
}

std::set<UINT> ReachableCommands() {
    std::set<UINT> ids;
    for (const auto* item : MenuCommands()) ids.insert(item->id);
    for (UINT id : ToolbarItems()) {
        if (id != ID_SEPARATOR) ids.insert(id);
    }
    for (const auto& entry : MainAccelerators()) ids.insert(entry.command);
    return ids;
}

// "Ctrl+N" -> {FVIRTKEY | FCONTROL, 'N'}; "Shift+Del" -> {FVIRTKEY | FSHIFT, VK_DELETE}.
std::pair<UINT, UINT> ParseShortcut(std::string text) {
    static const std::map<std::string, UINT> modifiers = {
        {"Ctrl", FCONTROL}, {"Shift", FSHIFT}, {"Alt", FALT}};
    static const std::map<std::string, UINT> namedKeys = {
        {"Del", VK_DELETE}, {"Ins", VK_INSERT}, {"Backspace", VK_BACK}, {"F6", VK_F6}};
    UINT flags = FVIRTKEY;
    for (std::size_t plus; (plus = text.find('+')) != std::string::npos;) {
        flags |= modifiers.at(text.substr(0, plus));
        text.erase(0, plus + 1);
    }
    if (text.size() == 1) return {flags, static_cast<UINT>(text[0])};
    return {flags, namedKeys.at(text)};
}

// The mnemonic letter of a menu text, lower case; 0 if it has none.
char Mnemonic(const char* text) {
    const std::string s(text);
    const auto amp = s.find('&');
    if (amp == std::string::npos || amp + 1 >= s.size()) return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(s[amp + 1])));
}

void ExpectUniqueMnemonics(std::span<const MenuItemTemplate> items, const std::string& where) {
    std::map<char, std::string> taken;
    for (const auto& item : items) {
        if (item.flags & MF_SEPARATOR) continue;
        const std::string text(item.text);
        EXPECT_NE(text.back(), '&') << where << ": \"" << text << "\" ends in a bare &";
        const char letter = Mnemonic(item.text);
        if (letter == 0) continue;
        const auto [it, inserted] = taken.emplace(letter, text);
        EXPECT_TRUE(inserted) << where << ": \"" << text << "\" and \"" << it->second
                              << "\" share the mnemonic " << letter;
        if (item.flags & MF_POPUP) ExpectUniqueMnemonics(item.popup, text);
    }
}

}  // namespace

TEST(CommandPrompts, EveryReachableCommandHasAStatusPromptAndATooltip) {
    for (UINT id : ReachableCommands()) {
        if (id == ID_CALC_FILTER || IsRecentFile(id)) continue;
        SCOPED_TRACE(testing::Message() << "command 0x" << std::hex << id);
        const auto text = FindString(id);
        ASSERT_TRUE(text.has_value());
        const auto newline = text->find('\n');
        ASSERT_NE(newline, std::string::npos) << "no tooltip in \"" << *text << "\"";
        EXPECT_EQ(text->find('\n', newline + 1), std::string::npos) << "more than one \\n";
        EXPECT_GT(newline, 0u) << "empty status prompt";
        EXPECT_LT(newline + 1, text->size()) << "empty tooltip";
    }
}

TEST(CommandPrompts, RecentFilesHaveAPromptButNoTooltip) {
    for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_LAST; ++id) {
        const auto text = FindString(id);
        ASSERT_TRUE(text.has_value()) << "recent file 0x" << std::hex << id;
        EXPECT_FALSE(text->empty());
        EXPECT_EQ(text->find('\n'), std::string::npos);
    }
}

TEST(CommandPrompts, CalcFilterAndPrintDirectShowAnEmptyPrompt) {
    EXPECT_FALSE(FindString(ID_CALC_FILTER).has_value());
    EXPECT_FALSE(FindString(ID_FILE_PRINT_DIRECT).has_value());
}

TEST(StringTable, EachIdHasOneText) {
    std::set<UINT> seen;
    for (const auto& entry : Module().strings) {
        EXPECT_TRUE(seen.insert(entry.id).second) << "0x" << std::hex << entry.id << " twice";
        EXPECT_NE(entry.text, nullptr);
    }
}

TEST(StringTable, DocumentStringHasSevenFieldsAndTheApplicationTitle) {
    const auto documentString = FindString(IDR_MAINFRAME);
    ASSERT_TRUE(documentString.has_value());
    EXPECT_EQ(std::count(documentString->begin(), documentString->end(), '\n'), 6);
    EXPECT_EQ(documentString->substr(0, documentString->find('\n')),
              FindString(AFX_IDS_APP_TITLE).value_or("(none)"));
}

TEST(StringTable, StatusBarHasItsIdleTextAndIndicators) {
    for (UINT id : {AFX_IDS_IDLEMESSAGE, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        EXPECT_FALSE(FindString(id).value_or("").empty()) << "0x" << std::hex << id;
    }
}

TEST(MenuBar, MnemonicsAreUniqueWithinEachMenu) {
    for (const auto& menu : Module().menus) ExpectUniqueMnemonics(menu.items, "menu bar");
}

TEST(MenuBar, EveryShortcutShownOnTheMenuIsAnAccelerator) {
    const auto accelerators = MainAccelerators();
    int shortcuts = 0;
    for (const auto* item : MenuCommands()) {
        const std::string text(item->text);
        const auto tab = text.find('\t');
        if (tab == std::string::npos) continue;
        ++shortcuts;
        const auto [flags, key] = ParseShortcut(text.substr(tab + 1));
        const bool bound =
            std::any_of(accelerators.begin(), accelerators.end(), [&](const auto& a) {
                return a.flags == flags && a.key == key && a.command == item->id;
            });
        EXPECT_TRUE(bound) << "\"" << text << "\" has no matching accelerator";
    }
    EXPECT_EQ(shortcuts, 8);
}

TEST(MenuBar, EachCommandAppearsOnce) {
    std::set<UINT> seen;
    for (const auto* item : MenuCommands()) {
        EXPECT_TRUE(seen.insert(item->id).second) << "\"" << item->text << "\"";
    }
}

TEST(Accelerators, NoKeyIsBoundTwice) {
    std::set<std::pair<UINT, UINT>> keys;
    for (const auto& entry : MainAccelerators()) {
        EXPECT_TRUE(entry.flags & FVIRTKEY);
        EXPECT_TRUE(keys.insert({entry.flags, entry.key}).second)
            << "key 0x" << std::hex << entry.key << " with flags 0x" << entry.flags;
    }
    EXPECT_EQ(keys.size(), 14u);
}

TEST(Accelerators, CalcFilterIsReachedOnlyThroughTheActionsMenu) {
    const auto accelerators = MainAccelerators();
    EXPECT_TRUE(std::none_of(accelerators.begin(), accelerators.end(),
                             [](const auto& a) { return a.command == ID_CALC_FILTER; }));
    const auto toolbar = ToolbarItems();
    EXPECT_EQ(std::count(toolbar.begin(), toolbar.end(), ID_CALC_FILTER), 0);
    const auto menu = MenuCommands();
    EXPECT_EQ(std::count_if(menu.begin(), menu.end(),
                            [](const auto* item) { return item->id == ID_CALC_FILTER; }),
              1);
}
