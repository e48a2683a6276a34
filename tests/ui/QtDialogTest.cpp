#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "platform/qt/QtConversions.h"
#include "platform/qt/QtPlatform.h"
#include "WhenShown.h"

using namespace platform;

namespace {

DialogSpec ObjectDialog() {
    return {"Lambert-like emitter ",
            {Control::Label("Informations", 16), Control::Edit("strength", "Energy flow density "),
             Control::Edit("x1", "X1:"), Control::Edit("y1", "Y1:", true),
             Control::Combo("colour", "", {"black", "red", "blue"}, "Color"),
             Control::Radio("above", "above the horizon", true), Control::Radio("all", "all around", false),
             Control::ListBox("objects", ModalResult::Edit), Control::Button("OK", ModalResult::OK, true),
             Control::Button("Cancel", ModalResult::Cancel)}};
}

}  // namespace

class QtDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetCurrentPlatform(&platform); }
    void cleanupTestCase() { SetCurrentPlatform(nullptr); }

    void valuesTheUserChangedComeBack() {
        DialogSpec spec = ObjectDialog();
        spec["strength"].text = "100";
        spec["objects"].items = {"1 Background radiation", "2 Lambert-like emitter"};
        WhenShown([](QDialog& dialog) {
            for (auto* edit : dialog.findChildren<QLineEdit*>())
                if (edit->text() == QLatin1String("100")) edit->setText(QStringLiteral("250,5"));
            dialog.findChild<QComboBox*>()->setCurrentIndex(2);
            dialog.findChildren<QRadioButton*>().at(1)->click();
            dialog.findChild<QListWidget*>()->setCurrentRow(1);
            Click(dialog, QStringLiteral("OK"));
        });
        QCOMPARE(platform.ShowModal(spec), ModalResult::OK);
        QCOMPARE(spec["strength"].text, "250,5");
        QCOMPARE(spec["x1"].text, "");
        QCOMPARE(spec["colour"].selected, 2);
        QCOMPARE(spec["colour"].text, "blue");
        QVERIFY(!spec["above"].checked);  // the radio buttons of a dialog are one group
        QVERIFY(spec["all"].checked);
        QCOMPARE(spec["objects"].selected, 1);
    }

    void whatWasShownComesBackUnchanged() {
        DialogSpec spec = ObjectDialog();
        spec["x1"].text = "12";
        WhenShown([](QDialog& dialog) { Click(dialog, QStringLiteral("Cancel")); });
        QCOMPARE(platform.ShowModal(spec), ModalResult::Cancel);
        QCOMPARE(spec["x1"].text, "12");
        QCOMPARE(spec["colour"].text, "Color");
        QCOMPARE(spec["colour"].selected, -1);
        QVERIFY(spec["above"].checked && !spec["all"].checked);
        QCOMPARE(spec["objects"].selected, -1);
    }

    void typedComboTextIsNoEntry() {
        DialogSpec spec = ObjectDialog();
        spec["colour"].selected = 1;
        spec["colour"].text = "red";
        WhenShown([](QDialog& dialog) {
            dialog.findChild<QComboBox*>()->setEditText(QStringLiteral("purple"));
            Click(dialog, QStringLiteral("OK"));
        });
        platform.ShowModal(spec);
        QCOMPARE(spec["colour"].selected, -1);
        QCOMPARE(spec["colour"].text, "purple");
    }

    void doubleClickOnTheListClosesWithItsResult() {
        DialogSpec spec{"Object Manager", {Control::ListBox("objects", ModalResult::Edit),
                                           Control::Button("Quit", ModalResult::Quit, true)}};
        spec["objects"].items = {"1 Background radiation", "2 Sun"};
        WhenShown([](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>();
            const QPoint second = list->visualItemRect(list->item(1)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        });
        QCOMPARE(platform.ShowModal(spec), ModalResult::Edit);
        QCOMPARE(spec["objects"].selected, 1);
    }

    // Without a Cancel button only a button ends the dialog, as without a close box.
    void escapeNeedsACancelButton() {
        DialogSpec spec{"Screen", {Control::Edit("height", "Height"), Control::Button("OK", ModalResult::OK, true)}};
        bool openAfterEscape = false;
        WhenShown([&](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            openAfterEscape = dialog.isVisible();
            Click(dialog, QStringLiteral("OK"));
        });
        QCOMPARE(platform.ShowModal(spec), ModalResult::OK);
        QVERIFY(openAfterEscape);

        WhenShown([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        DialogSpec withCancel = ObjectDialog();
        QCOMPARE(platform.ShowModal(withCancel), ModalResult::Cancel);
    }

    void layoutAndWindowKind() {
        DialogSpec spec = ObjectDialog();
        bool fixed = false, closeBox = true, sameRow = false, headingSize = false, defaultOk = false;
        WhenShown([&](QDialog& dialog) {
            fixed = dialog.minimumSize() == dialog.maximumSize();
            closeBox = dialog.windowFlags().testAnyFlags(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                                                         Qt::WindowContextHelpButtonHint);
            // strength, x1, y1; the combo box holds its own line edit
            const auto edits = dialog.findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
            sameRow = edits.size() == 3 && edits[2]->y() == edits[1]->y() && edits[2]->x() > edits[1]->x() &&
                      edits[1]->y() > edits[0]->y();
            for (auto* label : dialog.findChildren<QLabel*>())
                if (label->text() == QLatin1String("Informations")) headingSize = label->font().pixelSize() == 16;
            for (auto* button : dialog.findChildren<QPushButton*>())
                if (button->text() == QLatin1String("OK")) defaultOk = button->isDefault();
            Click(dialog, QStringLiteral("OK"));
        });
        platform.ShowModal(spec);
        QVERIFY(fixed);
        QVERIFY(!closeBox);
        QVERIFY(sameRow);
        QVERIFY(headingSize);
        QVERIFY(defaultOk);
    }

    void messageBreaksLinesAtCarriageReturns() {
        QString shown;
        WhenShown([&](QDialog& dialog) {
            shown = static_cast<QMessageBox&>(dialog).text();
            Click(dialog, QStringLiteral("OK"));
        });
        platform.ShowMessage("You cannot delet the Background radiation,\rbut You can set it to Zero.");
        QCOMPARE(shown, QStringLiteral("You cannot delet the Background radiation,\nbut You can set it to Zero."));
    }

    void progressWindow() {
        auto& progress = static_cast<QtProgressWindow&>(platform.Progress());
        QCOMPARE(progress.windowTitle(), QStringLiteral("Information"));
        QCOMPARE(progress.size(), QSize(429, 105));
        QCOMPARE(progress.Text(), QStringLiteral("Progress"));
        QCOMPARE(progress.findChild<QLabel*>()->pos(), QPoint(40, 16));
        progress.Show();
        QVERIFY(progress.isVisible());
        progress.SetText("Iteration 3\rof 50");
        progress.Repaint();
        QCOMPARE(progress.Text(), QStringLiteral("Iteration 3\nof 50"));
        progress.Close();
        QVERIFY(!progress.isVisible());
    }

    void fileFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pattern named in the description")
            << "Brevanto 2.0-Files (*.brv)|*.brv" << "Brevanto 2.0-Files (*.brv)";
        QTest::newRow("pattern not named") << "Bitmaps|*.bmp" << "Bitmaps (*.bmp)";
        QTest::newRow("several patterns and filters")
            << "Pictures|*.bmp;*.png|All files|*" << "Pictures (*.bmp *.png);;All files (*)";
    }

    void fileFilters() {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(ToQtFileFilter(filter.toStdString()), expected);
    }

private:
    QtPlatform platform;
};

QTEST_MAIN(QtDialogTest)
#include "QtDialogTest.moc"
