// The layer's parts that need no window: strings, message maps and routing between
// targets, the command line, accelerator keys and dialog-unit arithmetic.
#include "accelerator_keys.h"
#include "afx.h"
#include "dialog_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(CStringTest, KeepsEveryByteOfTheCodePage) {
    CString text(
        "\xB5"
        "F");  // the micro sign as Windows-1252 stores it
    text += '\xFF';
    text += "\x81";
    ASSERT_EQ(text.GetLength(), 4);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 0xB5);
    EXPECT_EQ(static_cast<unsigned char>(text[2]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(text[3]), 0x81);
}

TEST(CStringTest, NullIsEmptyAndPiecesJoin) {
    EXPECT_EQ(CString(nullptr), "");
    EXPECT_TRUE(CString("x") + "y" + CString("z") == "xyz");
}

// Three targets chained like a view, its document and the application.
std::vector<std::string> g_ran;

class CBaseTarget : public CCmdTarget {
public:
    static const MessageMap<CBaseTarget> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }
    void OnBaseCommand() { g_ran.push_back("base"); }
    void OnOverridden() { g_ran.push_back("base-overridden"); }
};
const MessageMap<CBaseTarget> CBaseTarget::messageMap{&CCmdTarget::messageMap,
                                                      {
                                                          {100, &CBaseTarget::OnBaseCommand},
                                                          {101, &CBaseTarget::OnOverridden},
                                                      }};

class CDerivedTarget : public CBaseTarget {
public:
    static const MessageMap<CDerivedTarget> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }
    void OnOverridden() { g_ran.push_back("derived-overridden"); }
    void OnRange(UINT id) { g_ran.push_back("range " + std::to_string(id)); }
    void OnUpdateRange(CCmdUI* ui) { ui->SetCheck(1); }
};
const MessageMap<CDerivedTarget> CDerivedTarget::messageMap{
    &CBaseTarget::messageMap,
    {
        {101, &CDerivedTarget::OnOverridden},
        {200, 203, &CDerivedTarget::OnRange},
        {201, &CDerivedTarget::OnUpdateRange},
    }};

TEST(MessageMapTest, MostDerivedEntryWinsAndBaseEntriesAreInherited) {
    CDerivedTarget target;
    g_ran.clear();
    EXPECT_TRUE(target.OnCmdMsg(101, CN_COMMAND, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(100, CN_COMMAND, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(999, CN_COMMAND, nullptr));
    EXPECT_EQ(g_ran, (std::vector<std::string>{"derived-overridden", "base"}));
}

TEST(MessageMapTest, RangeEntryGetsTheCommandIdAndStopsAtItsEnds) {
    CDerivedTarget target;
    g_ran.clear();
    EXPECT_TRUE(target.OnCmdMsg(200, CN_COMMAND, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(203, CN_COMMAND, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(204, CN_COMMAND, nullptr));
    EXPECT_EQ(g_ran, (std::vector<std::string>{"range 200", "range 203"}));
}

TEST(MessageMapTest, ItemStateFollowsHandlersAndUpdateHandlers) {
    CDerivedTarget target;
    g_ran.clear();

    CCmdUI handled(202);  // a command handler and no update handler: enabled
    handled.m_bEnabled = FALSE;
    handled.DoUpdate(&target);
    EXPECT_TRUE(handled.m_bEnabled);

    CCmdUI orphan(555);  // nobody handles it: disabled
    orphan.DoUpdate(&target);
    EXPECT_FALSE(orphan.m_bEnabled);

    CCmdUI checked(201);  // the update handler checks it and leaves it enabled
    checked.DoUpdate(&target);
    EXPECT_EQ(checked.m_nCheck, 1);
    EXPECT_TRUE(checked.m_bEnabled);

    EXPECT_TRUE(g_ran.empty()) << "updating states must not run commands";
}

class CThrowing : public CCmdTarget {
public:
    static const MessageMap<CThrowing> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }
    void OnFail() { throw std::runtime_error("disk on fire"); }
};
const MessageMap<CThrowing> CThrowing::messageMap{&CCmdTarget::messageMap,
                                                  {
                                                      {7, &CThrowing::OnFail},
                                                  }};

TEST(MessageMapTest, ExceptionFromAHandlerIsReportedAndDoesNotEscape) {
    CThrowing target;
    std::vector<std::string> shown;
    platform::UserPrompts prompts;
    prompts.messageBox = [&](const CString& text, UINT) {
        shown.emplace_back(text.View());
        return static_cast<int>(IDOK);
    };
    const platform::UserPrompts previous = platform::SetUserPrompts(prompts);
    CWinApp app("program");  // the application tells the user
    EXPECT_TRUE(AfxRunCommand(&target, 7));
    EXPECT_EQ(AfxGetCurrentCommandId(), 0u);
    platform::SetUserPrompts(previous);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("disk on fire"), std::string::npos);
}

TEST(RuntimeClassTest, CreatesByClassAndKnowsItsAncestors) {
    static const CRuntimeClass made = DynamicClass<CDocument>("CMade", &CDocument::runtimeClass);
    std::unique_ptr<CObject> object(made.CreateObject());
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(&CCmdTarget::runtimeClass));
    EXPECT_FALSE(object->IsKindOf(&CWnd::runtimeClass));
    EXPECT_EQ(CWnd::runtimeClass.CreateObject(), nullptr);
}

struct ParsedLine {
    int command;
    std::string file;
    bool failed;
};

ParsedLine Parse(std::vector<std::string> args) {
    args.insert(args.begin(), "program");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    CWinApp app("program");
    app.m_argc = static_cast<int>(argv.size());
    app.m_argv = argv.data();
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    return {info.m_nShellCommand, std::string(info.m_strFileName.View()),
            !info.m_strError.IsEmpty()};
}

TEST(CommandLineTest, ReadsTheRequests) {
    const ParsedLine none = Parse({});
    EXPECT_EQ(none.command, CCommandLineInfo::FileNew);
    EXPECT_FALSE(none.failed);

    const ParsedLine open = Parse({"/home/user/notes.txt"});  // an absolute path, no switch
    EXPECT_EQ(open.command, CCommandLineInfo::FileOpen);
    EXPECT_EQ(open.file, "/home/user/notes.txt");
    EXPECT_FALSE(open.failed);

    for (const char* printSwitch : {"/p", "-p", "/P"}) {
        const ParsedLine print = Parse({printSwitch, "report.txt"});
        EXPECT_EQ(print.command, CCommandLineInfo::FilePrint) << printSwitch;
        EXPECT_EQ(print.file, "report.txt") << printSwitch;
        EXPECT_FALSE(print.failed) << printSwitch;
    }

    const ParsedLine dashedName = Parse({"--", "-p"});  // "--" ends the options
    EXPECT_EQ(dashedName.command, CCommandLineInfo::FileOpen);
    EXPECT_EQ(dashedName.file, "-p");
}

TEST(CommandLineTest, RefusesWhatItCannotCarryOut) {
    EXPECT_TRUE(Parse({"-x"}).failed);
    EXPECT_TRUE(Parse({"/dde"}).failed);
    EXPECT_TRUE(Parse({"-p"}).failed) << "print without a file";
    EXPECT_TRUE(Parse({"one.txt", "two.txt"}).failed);
}

TEST(AcceleratorKeyTest, MapsTheEditingAndFunctionKeys) {
    using platform::AcceleratorEntry;
    const auto key = [](AcceleratorEntry entry) {
        return platform::KeyForAccelerator(entry).value().toCombined();
    };
    EXPECT_EQ(key({FVIRTKEY | FCONTROL, 'N', 0}),
              QKeyCombination(Qt::ControlModifier, Qt::Key_N).toCombined());
    EXPECT_EQ(key({FVIRTKEY | FALT, VK_BACK, 0}),
              QKeyCombination(Qt::AltModifier, Qt::Key_Backspace).toCombined());
    EXPECT_EQ(key({FVIRTKEY | FSHIFT, VK_DELETE, 0}),
              QKeyCombination(Qt::ShiftModifier, Qt::Key_Delete).toCombined());
    EXPECT_EQ(key({FVIRTKEY | FCONTROL, VK_INSERT, 0}),
              QKeyCombination(Qt::ControlModifier, Qt::Key_Insert).toCombined());
    EXPECT_EQ(key({FVIRTKEY, VK_F6, 0}), QKeyCombination(Qt::Key_F6).toCombined());
    EXPECT_EQ(key({FVIRTKEY | FSHIFT, VK_F6, 0}),
              QKeyCombination(Qt::ShiftModifier, Qt::Key_F6).toCombined());
    EXPECT_FALSE(platform::KeyForAccelerator({FVIRTKEY, 0xFF, 0}).has_value());
}

TEST(DialogUnitTest, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(platform::MulDiv(98, 6, 4), 147);
    EXPECT_EQ(platform::MulDiv(7, 6, 4), 11);  // 10.5 rounds up
    EXPECT_EQ(platform::MulDiv(-7, 6, 4), -11);
    EXPECT_EQ(platform::MulDiv(5, 13, 8), 8);  // 8.125
    EXPECT_EQ(platform::MulDiv(1, 1, 0), -1);
}

}  // namespace
