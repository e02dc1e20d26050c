#pragma once

// "Edytor sprawozdań": the form in which teachers write their report files
// and the secretary mends damaged ones. A data-entry window of standard
// widgets in the program's colours, not a skinned panel: one form per kind
// built from FormParts, the reading problems next to their fields, and the
// report's preview page beside the form, rebuilt as the user types. The
// window only wires widgets to the report form of the core.

#include "platform/HelpPages.h"
#include "reports/ReportForm.h"
#include "reports/ReportFormFile.h"

#include <QMainWindow>
#include <QMessageBox>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;
class QTableWidget;
class QTemporaryDir;
class QTimer;
class QVBoxLayout;

namespace notarion {

class TEmbeddedWB;

class ReportEditor : public QMainWindow {
    Q_OBJECT
public:
    // An editor with no report; the user starts with New or Open.
    explicit ReportEditor(QWidget* parent = nullptr);
    ~ReportEditor() override;

    // Start an empty report of the kind, without a file yet.
    void NewReport(ReportKind kind);
    // Open the report file at path (any, damaged ones included: the problems
    // are shown next to their fields). A file whose kind is none of the nine
    // is read as the kind the user chooses. False, after a message, when the
    // file cannot be read or the user chooses no kind.
    bool OpenFile(const QString& path);
    // Save to path; false after a message naming every refused field or the
    // file that cannot be written. On success the editor works on path.
    bool SaveTo(const QString& path);
    // Save to the current file, or ask for one.
    bool Save();

    // The form as the widgets hold it now.
    ReportForm CurrentForm() const;
    const QString& FilePath() const { return m_path; }

    // What the user answers to the question about unsaved changes; the
    // default shows a message box. Tests replace it.
    using SaveQuestion = std::function<QMessageBox::StandardButton()>;
    void SetSaveQuestion(SaveQuestion question) { m_askToSave = std::move(question); }
    // The kind a file of no known kind is read as: the question's text and the
    // checker's guess in, the user's choice or none out; the default asks in
    // a list of the nine kinds. Tests replace it.
    using KindQuestion = std::function<std::optional<ReportKind>(const QString& text,
                                                                 std::optional<ReportKind> guess)>;
    void SetKindQuestion(KindQuestion question) { m_askKind = std::move(question); }
    // Whether a report that holds letters Windows-1250 lacks may be saved as
    // UTF-16 (the question's text in); the default asks in a message box.
    // Tests replace it.
    using Utf16Question = std::function<bool(const QString& text)>;
    void SetUtf16Question(Utf16Question question) { m_askUtf16 = std::move(question); }
    // What is shown for a refusal or failure; the default shows a message box.
    using Notice = std::function<void(const QString& text)>;
    void SetNotice(Notice notice) { m_notice = std::move(notice); }

    // How help pages are opened; tests watch it instead of a browser.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }
    // Where the save and open dialogs of a report without a file open (the
    // folder of the set being put together); the working folder when empty.
    void SetStartFolder(const QString& folder) { m_startFolder = folder; }
    // The path the save dialog proposes: the report's own file, or a name in
    // the sample school's pattern in the start folder.
    QString ProposedSavePath() const;

    // The widgets of a part, for the window's tests (nullptr when the kind has none).
    QLineEdit* TextField(std::string_view element) const;
    QPlainTextEdit* LinesField(std::string_view element) const;
    QTableWidget* StudentTable(std::string_view element) const;
    QLabel* CountLabel(std::string_view element) const;
    QLabel* ProblemLabel(std::string_view element) const;
    TEmbeddedWB* Preview() const { return m_preview; }

signals:
    // A report file was saved (its path).
    void Saved(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct PartWidgets;
    const PartWidgets* PartOf(std::string_view element) const;

    void MenuNewClick();
    void MenuOpenClick();
    void MenuSaveAsClick();
    std::optional<ReportKind> AskKind(const QString& text, std::optional<ReportKind> guess);
    bool MaySetAside();
    void BuildForm(const ReportForm& form);
    void ShowProblems(std::vector<std::pair<int, QString>> problems);
    void FormChanged();
    // The count under each list and each table's height from its rows.
    void UpdateCounts();
    void RefreshPreview();
    void UpdateTitle();

    std::optional<ReportKind> m_kind;
    QString m_path;
    QString m_startFolder;
    HelpOpener m_help;
    bool m_modified = false;
    bool m_filling = false;
    QScrollArea* m_formScroll = nullptr;
    QWidget* m_formHost = nullptr;
    QVBoxLayout* m_formLayout = nullptr;
    QLabel* m_fileProblems = nullptr;
    std::vector<std::unique_ptr<PartWidgets>> m_parts;
    TEmbeddedWB* m_preview = nullptr;
    QTimer* m_previewTimer = nullptr;
    std::unique_ptr<QTemporaryDir> m_previewFolder;
    SaveQuestion m_askToSave;
    KindQuestion m_askKind;
    Utf16Question m_askUtf16;
    // The encoding the report is saved in: the one it was read in, until a
    // letter that needs UTF-16 is saved.
    FileEncoding m_encoding = FileEncoding::Windows1250;
    Notice m_notice;
};

} // namespace notarion
