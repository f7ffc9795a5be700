// Dialogs built from a template: data exchange in both directions, the ways a dialog ends,
// keyboard behaviour and the layout in dialog units.
#include "dialog_layout.h"
#include "shell_fixture.h"
#include "test_resources.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace test_resources;

namespace {

class CValuesDlg : public CDialog {
public:
    static const MessageMap<CValuesDlg> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    explicit CValuesDlg(UINT id = IDD_TEST) : CDialog(id) {}

    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Text(dx, IDC_NAME, m_strName);
        DDX_Text(dx, IDC_VALUE, m_strValue);
        DDX_Check(dx, IDC_FLAG, m_bFlag);
    }
    void OnOther() { ++otherClicks; }

    CString m_strName{"96k"};
    CString m_strValue{"1"};
    int m_bFlag = 0;
    int otherClicks = 0;
};
const MessageMap<CValuesDlg> CValuesDlg::messageMap{&CDialog::messageMap,
                                                    {
                                                        {IDC_OTHER_BUTTON, &CValuesDlg::OnOther},
                                                    }};

// Runs the dialog; while it is open, whileOpen acts on it as a user would.
INT_PTR RunDialog(CDialog& dialog, const std::function<void(QDialog&)>& whileOpen) {
    QTimer::singleShot(0, [&] {
        auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(open, nullptr);
        whileOpen(*open);
        if (open->isVisible()) {
            open->reject();  // a test that forgot to end the dialog must not hang
        }
    });
    return dialog.DoModal();
}

template <class T>
T* Item(QDialog& dialog, int id) {
    return dialog.findChild<T*>(QStringLiteral("dlgItem%1").arg(id));
}

TEST(DialogTest, OpeningFillsTheControlsFromTheMembers) {
    CValuesDlg dialog;
    dialog.m_strValue = "2.2\xB5";  // the micro sign as Windows-1252 holds it
    dialog.m_bFlag = 1;
    RunDialog(dialog, [](QDialog& open) {
        EXPECT_EQ(Item<QLineEdit>(open, IDC_NAME)->text(), QStringLiteral("96k"));
        EXPECT_EQ(Item<QLineEdit>(open, IDC_VALUE)->text(), QStringLiteral("2.2\u00B5"));
        EXPECT_TRUE(Item<QCheckBox>(open, IDC_FLAG)->isChecked());
        EXPECT_EQ(open.windowTitle(), QStringLiteral("Enter values"));
        open.reject();
    });
}

TEST(DialogTest, OkStoresTheControlsAndReturnsIdOk) {
    CValuesDlg dialog;
    const INT_PTR result = RunDialog(dialog, [](QDialog& open) {
        Item<QLineEdit>(open, IDC_NAME)->setText(QStringLiteral("44.1k"));
        Item<QLineEdit>(open, IDC_VALUE)->setText(QStringLiteral("3\u00B5"));
        Item<QCheckBox>(open, IDC_FLAG)->setChecked(true);
        QTest::mouseClick(Item<QPushButton>(open, IDOK), Qt::LeftButton);
    });
    EXPECT_EQ(result, static_cast<INT_PTR>(IDOK));
    EXPECT_EQ(dialog.m_strName, "44.1k");
    EXPECT_EQ(dialog.m_strValue, "3\xB5");
    EXPECT_EQ(dialog.m_bFlag, 1);
    EXPECT_FALSE(dialog.IsWindow()) << "the window exists only while DoModal runs";
}

TEST(DialogTest, CancelEscapeAndCloseBoxStoreNothing) {
    const std::vector<std::function<void(QDialog&)>> endings{
        [](QDialog& open) { QTest::mouseClick(Item<QPushButton>(open, IDCANCEL), Qt::LeftButton); },
        [](QDialog& open) { QTest::keyClick(Item<QLineEdit>(open, IDC_NAME), Qt::Key_Escape); },
        [](QDialog& open) { open.close(); },
    };
    for (std::size_t i = 0; i < endings.size(); ++i) {
        CValuesDlg dialog;
        const INT_PTR result = RunDialog(dialog, [&](QDialog& open) {
            Item<QLineEdit>(open, IDC_NAME)->setText(QStringLiteral("changed"));
            Item<QCheckBox>(open, IDC_FLAG)->setChecked(true);
            endings[i](open);
        });
        EXPECT_EQ(result, static_cast<INT_PTR>(IDCANCEL)) << "ending " << i;
        EXPECT_EQ(dialog.m_strName, "96k") << "ending " << i;
        EXPECT_EQ(dialog.m_bFlag, 0) << "ending " << i;
    }
}

TEST(DialogTest, EnterInAnEditFieldPressesTheDefaultButton) {
    CValuesDlg dialog;
    const INT_PTR result = RunDialog(dialog, [](QDialog& open) {
        QLineEdit* value = Item<QLineEdit>(open, IDC_VALUE);
        value->setFocus();
        value->setText(QStringLiteral("5"));
        QTest::keyClick(value, Qt::Key_Return);
    });
    EXPECT_EQ(result, static_cast<INT_PTR>(IDOK));
    EXPECT_EQ(dialog.m_strValue, "5");
}

TEST(DialogTest, FocusStartsOnTheFirstTabStopAndTabFollowsTemplateOrder) {
    CValuesDlg dialog;
    RunDialog(dialog, [](QDialog& open) {
        EXPECT_EQ(open.focusWidget(), Item<QWidget>(open, IDOK));
        std::vector<int> order;
        QWidget* widget = Item<QWidget>(open, IDOK);
        for (int step = 0; step < 6; ++step) {
            order.push_back(widget->property("dialogItemId").toInt());
            do {
                widget = widget->nextInFocusChain();
            } while (!(widget->focusPolicy() & Qt::TabFocus) || widget == &open);
        }
        EXPECT_EQ(order, (std::vector<int>{IDOK, IDCANCEL, IDC_NAME, IDC_VALUE, IDC_FLAG,
                                           IDC_OTHER_BUTTON}));
        EXPECT_EQ(Item<QWidget>(open, IDC_STATIC)->focusPolicy(), Qt::NoFocus);
        open.reject();
    });
}

TEST(DialogTest, ControlsArePlacedInDialogUnitsOfTheTemplateFont) {
    CValuesDlg dialog;
    RunDialog(dialog, [](QDialog& open) {
        // "MS Sans Serif" is not on Linux: the desktop's sans-serif face at 8 points.
        EXPECT_EQ(open.font().family(),
                  QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        EXPECT_EQ(open.font().pointSize(), 8);
        const platform::DialogBaseUnits units = platform::BaseUnitsOf(open.font());
        ASSERT_GT(units.x, 0);
        ASSERT_GT(units.y, 0);
        EXPECT_EQ(open.size(),
                  QSize(platform::MulDiv(155, units.x, 4), platform::MulDiv(102, units.y, 8)));
        EXPECT_EQ(Item<QWidget>(open, IDOK)->geometry(),
                  platform::DialogUnitsToPixels(98, 80, 50, 14, units));
        EXPECT_EQ(Item<QWidget>(open, IDC_VALUE)->geometry(),
                  platform::DialogUnitsToPixels(88, 23, 40, 14, units));
        EXPECT_EQ(Item<QWidget>(open, IDC_FLAG)->geometry(),
                  platform::DialogUnitsToPixels(10, 40, 47, 10, units));
        open.reject();
    });
}

TEST(DialogTest, IconControlTakesTheSizeOfItsIcon) {
    CValuesDlg dialog;
    RunDialog(dialog, [](QDialog& open) {
        QLabel* icon = nullptr;
        for (QLabel* label : open.findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) {
                icon = label;
            }
        }
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->size(), QSize(32, 32));
        open.reject();
    });
}

TEST(DialogTest, OtherButtonsAreCommandsOfTheDialogsMap) {
    CValuesDlg dialog;
    const INT_PTR result = RunDialog(dialog, [](QDialog& open) {
        QTest::mouseClick(Item<QPushButton>(open, IDC_OTHER_BUTTON), Qt::LeftButton);
        QTest::mouseClick(Item<QPushButton>(open, IDC_OTHER_BUTTON), Qt::LeftButton);
        EXPECT_TRUE(open.isVisible());
        open.reject();
    });
    EXPECT_EQ(result, static_cast<INT_PTR>(IDCANCEL));
    EXPECT_EQ(dialog.otherClicks, 2);
}

TEST(DialogTest, MissingTemplateFailsWithoutAWindow) {
    CValuesDlg dialog(IDD_MISSING);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.IsWindow());
}

TEST(DialogTest, ReopeningShowsTheStoredEntries) {
    CValuesDlg dialog;
    RunDialog(dialog, [](QDialog& open) {
        Item<QLineEdit>(open, IDC_NAME)->setText(QStringLiteral("48k"));
        QTest::mouseClick(Item<QPushButton>(open, IDOK), Qt::LeftButton);
    });
    RunDialog(dialog, [](QDialog& open) {
        EXPECT_EQ(Item<QLineEdit>(open, IDC_NAME)->text(), QStringLiteral("48k"));
        Item<QLineEdit>(open, IDC_NAME)->setText(QStringLiteral("lost"));
        open.reject();
    });
    RunDialog(dialog, [](QDialog& open) {
        EXPECT_EQ(Item<QLineEdit>(open, IDC_NAME)->text(), QStringLiteral("48k"));
        open.reject();
    });
}

using DialogOwnerTest = ShellTest;

TEST_F(DialogOwnerTest, DialogWithoutParentBelongsToTheMainWindow) {
    ASSERT_TRUE(Start({}));
    CValuesDlg dialog;
    RunDialog(dialog, [this](QDialog& open) {
        EXPECT_EQ(open.parentWidget(), static_cast<QWidget*>(Window()));
        EXPECT_TRUE(open.isModal());
        open.reject();
    });
}

}  // namespace
