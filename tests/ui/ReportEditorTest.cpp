// The report editor's main paths on the offscreen platform: open a sample,
// change it and save; open a damaged report, see its problems and save it
// sound; lists with their counts; the question before leaving; Tab between
// fields despite the application's Tab filter; the live preview.

#include "ui/ReportEditor.h"

#include "check/ReportCheck.h"
#include "platform/TEmbeddedWB.h"
#include "reports/ReportFormFile.h"
#include "support/FileBytes.h"
#include "support/Pictures.h"
#include "support/PipeFeeder.h"
#include "support/ReportXml.h"
#include "ui/TabFilter.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace notarion {
namespace {

QString Example(const char* relative) {
    return QStringLiteral(NOTARION_EXAMPLES_DIR "/") + QString::fromUtf8(relative);
}

// An editor whose notices are recorded instead of shown.
struct EditorFixture : ::testing::Test {
    ReportEditor editor;
    QStringList notices;
    QTemporaryDir folder;
    // The kind a file of no known kind is read as, and the guesses offered.
    std::optional<ReportKind> chosenKind;
    std::vector<std::optional<ReportKind>> guesses;
    EditorFixture() {
        editor.SetNotice([this](const QString& text) { notices << text; });
        editor.SetKindQuestion([this](const QString&, std::optional<ReportKind> guess) {
            guesses.push_back(guess);
            return chosenKind;
        });
    }
    QString File(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
};

TEST_F(EditorFixture, OpensChangesAndSavesASampleReport) {
    ASSERT_TRUE(editor.OpenFile(Example("szkola/1a_klasyfikacja.xml")));
    EXPECT_EQ(editor.TextField("Belfer")->text(), QStringLiteral("Małgorzata Krawczyk"));
    EXPECT_EQ(editor.CountLabel("Pasek")->text(), QStringLiteral("Liczba uczniów: 6"));
    EXPECT_FALSE(editor.windowTitle().endsWith(QLatin1Char('*')));

    editor.TextField("Belfer")->setText(QStringLiteral("Anna Żak"));
    QTableWidget* pasek = editor.StudentTable("Pasek");
    pasek->item(0, 1)->setText(QStringLiteral("4.75"));
    EXPECT_TRUE(editor.windowTitle().endsWith(QLatin1Char('*')));
    ASSERT_TRUE(editor.SaveTo(File("1a.xml")));
    EXPECT_FALSE(editor.windowTitle().endsWith(QLatin1Char('*')));

    const FormRead saved = LoadReportForm(File("1a.xml").toStdString());
    ASSERT_TRUE(saved.Form);
    EXPECT_EQ(FindPart(*saved.Form, "Belfer")->Text, "Anna Żak");
    EXPECT_EQ(FindPart(*saved.Form, "Pasek")->Rows.at(0).Average, "4,75");
}

TEST_F(EditorFixture, DamagedReportShowsItsProblemsAndSavesSound) {
    ASSERT_TRUE(editor.OpenFile(Example("uszkodzone/1a_klasyfikacja_liczba_slowami.xml")));
    QLabel* problems = editor.ProblemLabel("Frekwencja");
    EXPECT_FALSE(problems->isHidden());
    EXPECT_TRUE(problems->text().contains(QStringLiteral("IleOsob zawiera")))
        << problems->text().toStdString();
    // The students below the count in words are kept.
    EXPECT_EQ(editor.StudentTable("Frekwencja")->rowCount(), 3);
    ASSERT_TRUE(editor.SaveTo(File("naprawiony.xml")));
    EXPECT_TRUE(problems->isHidden());
    EXPECT_EQ(CheckReportFiles({File("naprawiony.xml").toStdString()}).ErrorCount(), 0);
}

TEST_F(EditorFixture, MisspeltKindOpensAsTheChosenKindAndSavesItsRightName) {
    const QString misspelt = Example("uszkodzone/2a_klasyfikacja_male_litery.xml");
    EXPECT_FALSE(editor.OpenFile(misspelt));
    chosenKind = ReportKind::Class;
    ASSERT_TRUE(editor.OpenFile(misspelt));
    ASSERT_EQ(guesses.size(), 2u);
    EXPECT_EQ(guesses[1], ReportKind::Class);
    EXPECT_TRUE(editor.windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_FALSE(editor.TextField("Klasa")->text().isEmpty());
    ASSERT_TRUE(editor.SaveTo(File("2a.xml")));
    // Read without a chosen kind: the file now names its kind itself.
    const FormRead saved = LoadReportForm(File("2a.xml").toStdString());
    ASSERT_TRUE(saved.Form);
    EXPECT_EQ(saved.Form->Kind, ReportKind::Class);
    EXPECT_TRUE(saved.Findings.empty());
}

TEST_F(EditorFixture, MarkupInAReportsValueIsShownAsTextAndLoadsNothing) {
    // A count that is a picture's markup, naming a pipe that would answer.
    const testing::PipeFeeder pipe(File("potok.png").toStdString(), testing::TallPicturePng());
    std::string report =
        testing::ReadBytes(Example("uszkodzone/1a_klasyfikacja_liczba_slowami.xml").toStdString());
    const std::string markup =
        "&lt;img src=&quot;" + File("potok.png").toStdString() + "&quot;&gt;";
    report.replace(report.find("trzy"), 4, markup);
    testing::WriteBytes(File("znaczniki.xml").toStdString(), report);
    ASSERT_TRUE(editor.OpenFile(File("znaczniki.xml")));
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QLabel* problems = editor.ProblemLabel("Frekwencja");
    EXPECT_TRUE(problems->text().contains(QStringLiteral("<img src=")))
        << problems->text().toStdString();
    EXPECT_FALSE(pipe.Opened()) << "the pipe was opened";
}

TEST_F(EditorFixture, RefusedFieldsAreNamedAndNothingIsWritten) {
    editor.NewReport(ReportKind::Class);
    editor.TextField("Belfer")->setText(QStringLiteral("Anna \u0001"));
    EXPECT_FALSE(editor.SaveTo(File("r.xml")));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("Wychowawca klasy")));
    EXPECT_FALSE(QFile::exists(File("r.xml")));
    EXPECT_FALSE(editor.OpenFile(File("none-such-kind.xml")));
}

TEST_F(EditorFixture, LettersOutsideWindows1250KeepTheFileUtf16) {
    // A teacher's UTF-16 file is saved as UTF-16 without a question.
    int asked = 0;
    bool agree = false;
    editor.SetUtf16Question([&](const QString&) {
        ++asked;
        return agree;
    });
    testing::WriteBytes(
        File("u.xml").toStdString(),
        testing::Utf16File(testing::ReportXml({{"Doc", "Z karty"},
                                               {"Belfer", "Søren Nuñez"},
                                               {"Info", "<IloscWierszy>0</IloscWierszy>"}})));
    ASSERT_TRUE(editor.OpenFile(File("u.xml")));
    EXPECT_TRUE(editor.ProblemLabel("Belfer")->text().contains(QStringLiteral("UTF-16")));
    ASSERT_TRUE(editor.SaveTo(File("u.xml")));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(testing::ReadBytes(File("u.xml").toStdString()).substr(0, 2), "\xFF\xFE");
    EXPECT_FALSE(editor.ProblemLabel("Belfer")->isHidden());
    // A new report asks once; refused, nothing is written.
    editor.NewReport(ReportKind::CardHours);
    editor.TextField("Belfer")->setText(QStringLiteral("Ørsted"));
    EXPECT_FALSE(editor.SaveTo(File("n.xml")));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(File("n.xml")));
    agree = true;
    ASSERT_TRUE(editor.SaveTo(File("n.xml")));
    EXPECT_EQ(FindPart(*LoadReportForm(File("n.xml").toStdString()).Form, "Belfer")->Text,
              "Ørsted");
}

TEST_F(EditorFixture, StudentListsAddRemoveAndMoveWithVisibleCounts) {
    editor.NewReport(ReportKind::Behaviour);
    QTableWidget* table = editor.StudentTable("Obnizone");
    ASSERT_EQ(table->columnCount(), 3);
    const auto button = [&](const char* text) {
        for (QPushButton* each : table->parentWidget()->findChildren<QPushButton*>())
            if (each->text() == QString::fromUtf8(text))
                return each;
        return static_cast<QPushButton*>(nullptr);
    };
    QTest::mouseClick(button("Dodaj"), Qt::LeftButton);
    table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Ala")));
    table->setItem(0, 2, new QTableWidgetItem(QStringLiteral("wiersz 1\nwiersz 2")));
    QTest::mouseClick(button("Dodaj"), Qt::LeftButton);
    table->setItem(1, 0, new QTableWidgetItem(QStringLiteral("Ola")));
    EXPECT_EQ(editor.CountLabel("Obnizone")->text(), QStringLiteral("Liczba uzasadnień: 2"));
    QTest::mouseClick(button("W górę"), Qt::LeftButton);
    const ReportForm moved = editor.CurrentForm();
    const std::vector<StudentRow>& rows = FindPart(moved, "Obnizone")->Rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Name, "Ola");
    EXPECT_EQ(rows[1].Lines, (std::vector<std::string>{"wiersz 1", "wiersz 2"}));
    QTest::mouseClick(button("Usuń"), Qt::LeftButton);
    EXPECT_EQ(editor.CountLabel("Obnizone")->text(), QStringLiteral("Liczba uzasadnień: 1"));
    editor.LinesField("Uwagi")->setPlainText(QStringLiteral("a\nb\nc"));
    EXPECT_EQ(editor.CountLabel("Uwagi")->text(), QStringLiteral("Liczba wierszy: 3"));
}

TEST_F(EditorFixture, TypingAfterAddGoesIntoTheNewRowAndEndingEmptyLinesAreDropped) {
    editor.NewReport(ReportKind::Class);
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    QTableWidget* table = editor.StudentTable("Pasek");
    QPushButton* add = nullptr;
    for (QPushButton* each : table->parentWidget()->findChildren<QPushButton*>())
        if (each->text() == QStringLiteral("Dodaj"))
            add = each;
    ASSERT_NE(add, nullptr);
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->parentWidget(), table->viewport());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ala"));
    // The editor commits the typed name once the event loop turns.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor(
        [&]() { return table->item(0, 0)->text() == QStringLiteral("Ala"); }, 2000));
    // The average column shows its whole header.
    const QString header = table->horizontalHeaderItem(1)->text();
    EXPECT_GE(table->horizontalHeader()->sectionSize(1),
              table->horizontalHeader()->fontMetrics().horizontalAdvance(header));
    editor.NewReport(ReportKind::FailJustification);
    QTableWidget* reasons = editor.StudentTable("Uzasadnienia");
    reasons->insertRow(0);
    reasons->setItem(0, 1, new QTableWidgetItem(QStringLiteral("a\nb\n\n")));
    EXPECT_EQ(FindPart(editor.CurrentForm(), "Uzasadnienia")->Rows.at(0).Lines,
              (std::vector<std::string>{"a", "b"}));
}

TEST_F(EditorFixture, F1OpensTheEditorsHelpAndSavingProposesTheSchoolsName) {
    std::vector<QUrl> opened;
    editor.SetHelpOpener(HelpOpener([&](const QUrl& url) { opened.push_back(url); }));
    editor.NewReport(ReportKind::Behaviour);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.activateWindow();
    QTest::keyClick(&editor, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith(QStringLiteral("Pomoc/edytor.htm")));
    editor.TextField("Klasa")->setText(QStringLiteral("4d"));
    editor.SetStartFolder(folder.path());
    EXPECT_EQ(editor.ProposedSavePath(), File("4d_zachowanie.xml"));
    ASSERT_TRUE(editor.SaveTo(File("inna.xml")));
    EXPECT_EQ(editor.ProposedSavePath(), File("inna.xml"));
}

// The help pages describe the program as it is, the editor that writes report files included.
TEST(HelpPages, SayWhatTheListEditorAndTheReportEditorDoToday) {
    const auto page = [](const char* name) {
        return QString::fromStdString(
            testing::ReadBytes(std::string(NOTARION_EXAMPLES_DIR "/../resources/Pomoc/") + name));
    };
    const QString index = page("index.htm");
    EXPECT_FALSE(index.contains(QStringLiteral("Program niczego nie zmienia")));
    for (const char* said : {"Popraw sprawozdanie", "<kbd>Alt</kbd>+<kbd>R</kbd>", "Sprawdź zestaw",
                             "Otwórz folder", "edytor.htm"})
        EXPECT_TRUE(index.contains(QString::fromUtf8(said))) << said;
    const QString editorPage = page("edytor.htm");
    for (const char* said : {"UTF-16", "4d_klasyfikacja.xml", "<kbd>F1</kbd>"})
        EXPECT_TRUE(editorPage.contains(QString::fromUtf8(said))) << said;
}

TEST_F(EditorFixture, LeavingWithUnsavedChangesAsksFirst) {
    int asked = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    editor.SetSaveQuestion([&]() {
        ++asked;
        return answer;
    });
    editor.NewReport(ReportKind::CardHours);
    editor.show();
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(asked, 0);
    editor.show();
    editor.TextField("Belfer")->setText(QStringLiteral("Jan"));
    EXPECT_FALSE(editor.close());
    EXPECT_EQ(asked, 1);
    answer = QMessageBox::Discard;
    EXPECT_TRUE(editor.close());
}

TEST_F(EditorFixture, TabMovesBetweenFieldsDespiteTheApplicationsFilter) {
    TabFilter filter(&editor);
    editor.NewReport(ReportKind::Subject);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.activateWindow();
    editor.TextField("Przedmiot")->setFocus();
    QTest::keyClick(editor.TextField("Przedmiot"), Qt::Key_Tab);
    EXPECT_TRUE(editor.TextField("Belfer")->hasFocus());
    EXPECT_FALSE(filter.TabPressed());
}

TEST_F(EditorFixture, PreviewFollowsTheTyping) {
    editor.NewReport(ReportKind::OtherInfo);
    editor.TextField("Dotyczy")->setText(QStringLiteral("Biblioteki szkolnej"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&]() {
            return editor.Preview()->toPlainText().contains(QStringLiteral("Biblioteki szkolnej"));
        },
        3000));
}

TEST_F(EditorFixture, TablesKeepTheirRowsInViewAfterSavingAndANewFormStartsAtItsKindTitle) {
    editor.resize(900, 600);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    ASSERT_TRUE(editor.OpenFile(Example("uszkodzone/1a_klasyfikacja_liczba_slowami.xml")));
    // Every row of every table shows without a scroll bar of its own, once
    // the layout has settled.
    const auto rowsInView = [&] {
        QCoreApplication::processEvents();
        QStringList hidden;
        for (const char* part : {"Frekwencja", "Pasek", "Ndst"}) {
            const QTableWidget* table = editor.StudentTable(part);
            if (table->rowCount() == 0 || table->verticalScrollBar()->maximum() != 0)
                hidden << QString::fromUtf8(part);
        }
        return hidden.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(rowsInView(), "");
    ASSERT_TRUE(editor.SaveTo(File("1a.xml")));
    EXPECT_EQ(rowsInView(), "") << "saving hides the problem lines, not the rows";

    // A new form follows one scrolled down, each laid out in full.
    QScrollBar* form = editor.findChild<QScrollArea*>()->verticalScrollBar();
    const auto settle = [] {
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    };
    editor.NewReport(ReportKind::Class);
    settle();
    form->setValue(form->maximum());
    ASSERT_GT(form->value(), 0);
    editor.NewReport(ReportKind::Class);
    settle();
    EXPECT_EQ(form->value(), 0);
}

} // namespace
} // namespace notarion
