// The "Enter parameters" dialog as a user meets it: what it shows, what OK, Cancel,
// Escape and Enter keep, how Tab walks through it and where its controls stand.

#include "app_test_support.h"
#include "params_dlg.h"
#include "resource_ids.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace app_test;

namespace {

struct DialogSnapshot {
    QString sampleFreq, gain, zeroFreq;
    bool extraZero = false, inverse = false;
    bool zeroFreqEnabled = false;
    QString focusName;
};

DialogSnapshot Snapshot(QWidget& dialog) {
    DialogSnapshot shot;
    shot.sampleFreq = EditField(dialog, IDC_SAMPLE_FREQ).text();
    shot.gain = EditField(dialog, IDC_GAIN).text();
    shot.zeroFreq = EditField(dialog, IDC_ZERO_FREQ).text();
    shot.extraZero = CheckBox(dialog, IDC_EXTRA_ZERO).isChecked();
    shot.inverse = CheckBox(dialog, IDC_INVERSE).isChecked();
    shot.zeroFreqEnabled = EditField(dialog, IDC_ZERO_FREQ).isEnabled();
    if (QWidget* focus = dialog.focusWidget()) {
        shot.focusName = focus->objectName();
    }
    return shot;
}

// Opens the dialog, looks at it, then closes it with OK.
DialogSnapshot OpenAndLook(CParamsDlg& dialog) {
    DialogSnapshot shot;
    WhenModalOpens([&](QWidget& open) {
        shot = Snapshot(open);
        Button(open, IDOK).click();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    return shot;
}

void FillIn(QWidget& open, const char* sampleFreq, const char* gain, bool extraZero,
            const char* zeroFreq, bool inverse) {
    EditField(open, IDC_SAMPLE_FREQ).setText(QString::fromUtf8(sampleFreq));
    EditField(open, IDC_GAIN).setText(QString::fromUtf8(gain));
    CheckBox(open, IDC_EXTRA_ZERO).setChecked(extraZero);
    EditField(open, IDC_ZERO_FREQ).setText(QString::fromUtf8(zeroFreq));
    CheckBox(open, IDC_INVERSE).setChecked(inverse);
}

}  // namespace

TEST(ParamsDialog, FirstOpeningShowsTheDefaultsWithTheFocusOnOk) {
    CParamsDlg dialog;
    const DialogSnapshot shot = OpenAndLook(dialog);
    EXPECT_EQ(shot.sampleFreq, "96k");
    EXPECT_EQ(shot.gain, "1");
    EXPECT_EQ(shot.zeroFreq, "");
    EXPECT_FALSE(shot.extraZero);
    EXPECT_FALSE(shot.inverse);
    EXPECT_EQ(shot.focusName, QStringLiteral("dlgItem%1").arg(IDOK));
}

TEST(ParamsDialog, OkKeepsTheEntriesForTheNextOpening) {
    CParamsDlg dialog;
    WhenModalOpens([](QWidget& open) {
        FillIn(open, "44.1k", "2", true, "50k", true);
        Button(open, IDOK).click();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strSampleFreq, "44.1k");
    EXPECT_EQ(dialog.m_strGain, "2");
    EXPECT_EQ(dialog.m_strZeroFreq, "50k");
    EXPECT_EQ(dialog.m_bExtraZero, 1);
    EXPECT_EQ(dialog.m_bInverse, 1);

    const DialogSnapshot again = OpenAndLook(dialog);
    EXPECT_EQ(again.sampleFreq, "44.1k");
    EXPECT_EQ(again.gain, "2");
    EXPECT_EQ(again.zeroFreq, "50k");
    EXPECT_TRUE(again.extraZero);
    EXPECT_TRUE(again.inverse);
}

TEST(ParamsDialog, CancelEscapeAndTheCloseBoxKeepNothing) {
    CParamsDlg dialog;
    const std::vector<std::function<void(QWidget&)>> closings = {
        [](QWidget& open) { Button(open, IDCANCEL).click(); },
        [](QWidget& open) { QTest::keyClick(&EditField(open, IDC_GAIN), Qt::Key_Escape); },
        [](QWidget& open) { open.close(); },
    };
    for (const auto& close : closings) {
        WhenModalOpens([&](QWidget& open) {
            FillIn(open, "48k", "10", true, "20k", true);
            close(open);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.m_strSampleFreq, "96k");
        EXPECT_EQ(dialog.m_strGain, "1");
        EXPECT_EQ(dialog.m_strZeroFreq, "");
        EXPECT_EQ(dialog.m_bExtraZero, 0);
        EXPECT_EQ(dialog.m_bInverse, 0);
    }
    const DialogSnapshot shot = OpenAndLook(dialog);
    EXPECT_EQ(shot.sampleFreq, "96k");
    EXPECT_FALSE(shot.extraZero);
}

TEST(ParamsDialog, EnterInAnyEditFieldConfirms) {
    for (int field : {IDC_SAMPLE_FREQ, IDC_GAIN, IDC_ZERO_FREQ}) {
        CParamsDlg dialog;
        WhenModalOpens([field](QWidget& open) {
            QLineEdit& edit = EditField(open, field);
            edit.setFocus();
            edit.selectAll();
            QTest::keyClicks(&edit, "3k");
            QTest::keyClick(&edit, Qt::Key_Return);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK) << "field " << field;
        const CString& stored = field == IDC_SAMPLE_FREQ ? dialog.m_strSampleFreq
                                : field == IDC_GAIN      ? dialog.m_strGain
                                                         : dialog.m_strZeroFreq;
        EXPECT_EQ(stored, "3k") << "field " << field;
    }
}

TEST(ParamsDialog, ZeroFrequencyStaysUsableWhateverExtraZeroSays) {
    CParamsDlg dialog;
    WhenModalOpens([](QWidget& open) {
        QCheckBox& extraZero = CheckBox(open, IDC_EXTRA_ZERO);
        QLineEdit& zeroFreq = EditField(open, IDC_ZERO_FREQ);
        QTest::mouseClick(&extraZero, Qt::LeftButton);
        EXPECT_TRUE(extraZero.isChecked());
        EXPECT_TRUE(zeroFreq.isEnabled());
        QTest::mouseClick(&extraZero, Qt::LeftButton);
        EXPECT_FALSE(extraZero.isChecked());
        EXPECT_TRUE(zeroFreq.isEnabled());
        zeroFreq.setFocus();
        QTest::keyClicks(&zeroFreq, "1k");
        Button(open, IDOK).click();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strZeroFreq, "1k");
    EXPECT_EQ(dialog.m_bExtraZero, 0);
}

TEST(ParamsDialog, TheMicroSignReachesTheEntryAsItsSingleByte) {
    CParamsDlg dialog;
    WhenModalOpens([](QWidget& open) {
        QLineEdit& gain = EditField(open, IDC_GAIN);
        gain.setFocus();
        gain.selectAll();
        QTest::keyClicks(&gain, QString::fromUtf8("2.2\u00b5"));
        Button(open, IDOK).click();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strGain, "2.2\xB5");
}

TEST(ParamsDialog, TabWalksTheControlsInTemplateOrder) {
    CParamsDlg dialog;
    std::vector<QString> visited;
    WhenModalOpens([&](QWidget& open) {
        for (int step = 0; step < 8; ++step) {
            QWidget* focus = open.focusWidget();
            visited.push_back(focus != nullptr ? focus->objectName() : QString());
            QTest::keyClick(focus != nullptr ? focus : &open, Qt::Key_Tab);
        }
        Button(open, IDCANCEL).click();
    });
    dialog.DoModal();
    const auto item = [](int id) { return QStringLiteral("dlgItem%1").arg(id); };
    const std::vector<QString> expected = {
        item(IDOK),           item(IDCANCEL),      item(IDC_SAMPLE_FREQ), item(IDC_GAIN),
        item(IDC_EXTRA_ZERO), item(IDC_ZERO_FREQ), item(IDC_INVERSE),     item(IDOK),
    };
    EXPECT_EQ(visited, expected);
}

// Positions in dialog units become pixels through the template font's average character
// width (over A-Z and a-z) and height, so the dialog keeps its proportions at any font.
TEST(ParamsDialog, ControlsStandWhereTheirDialogUnitsPutThem) {
    struct Placement {
        int id;
        int x, y, cx, cy;
    };
    const Placement placements[] = {
        {IDOK, 98, 80, 50, 14},           {IDCANCEL, 7, 80, 50, 14},
        {IDC_SAMPLE_FREQ, 88, 8, 40, 14}, {IDC_GAIN, 88, 23, 40, 14},
        {IDC_EXTRA_ZERO, 10, 40, 47, 10}, {IDC_ZERO_FREQ, 88, 53, 40, 14},
        {IDC_INVERSE, 85, 40, 39, 10},
    };
    CParamsDlg dialog;
    WhenModalOpens([&](QWidget& open) {
        const QFontMetrics metrics(open.font());
        const double baseX =
            std::round(metrics.horizontalAdvance(
                           QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                       52.0);
        const double baseY = metrics.height();
        const auto pixelsX = [&](int units) { return std::lround(units * baseX / 4.0); };
        const auto pixelsY = [&](int units) { return std::lround(units * baseY / 8.0); };
        for (const Placement& place : placements) {
            const QRect rect =
                open.findChild<QWidget*>(QStringLiteral("dlgItem%1").arg(place.id))->geometry();
            EXPECT_NEAR(rect.x(), pixelsX(place.x), 1) << "control " << place.id;
            EXPECT_NEAR(rect.y(), pixelsY(place.y), 1) << "control " << place.id;
            EXPECT_NEAR(rect.width(), pixelsX(place.cx), 1) << "control " << place.id;
            EXPECT_NEAR(rect.height(), pixelsY(place.cy), 1) << "control " << place.id;
        }
        EXPECT_NEAR(open.contentsRect().width(), pixelsX(155), 1);
        EXPECT_NEAR(open.contentsRect().height(), pixelsY(102), 1);
        EXPECT_EQ(open.windowTitle(), "Enter parameters");
        Button(open, IDCANCEL).click();
    });
    dialog.DoModal();
}
