#include "ui/ReportEditor.h"

#include "check/ReportFindings.h"
#include "generate/DocumentSet.h"
#include "platform/QtText.h"
#include "platform/TEmbeddedWB.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportFormFile.h"
#include "system/FileSystem.h"
#include "text/Failure.h"
#include "ui/TFWarning.h"
#include "ui/layout/TFBrowserLayout.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace notarion {
namespace {

QColor FromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

// The columns of a student table: one per field of a row, the name first.
QStringList ColumnsOf(PartShape shape) {
    QStringList columns;
    for (const RowField& field : LayoutOf(shape).Fields)
        columns << FromUtf8(std::string(field.Column));
    return columns;
}

// The lines of a justification come last in their row.
bool HasLinesColumn(PartShape shape) {
    return FieldOf(shape, RowValue::Lines) != nullptr;
}

QString CountWord(PartShape shape) {
    if (shape == PartShape::Lines)
        return QStringLiteral("Liczba wierszy: %1");
    if (HasLinesColumn(shape))
        return QStringLiteral("Liczba uzasadnień: %1");
    return QStringLiteral("Liczba uczniów: %1");
}

// The lines of a justification are edited in a multi-line box inside the table.
class LinesDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QPlainTextEdit(parent);
        editor->setTabChangesFocus(true);
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QPlainTextEdit*>(editor)->setPlainText(index.data().toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QPlainTextEdit*>(editor)->toPlainText());
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override {
        editor->setGeometry(option.rect.adjusted(0, 0, 0, 60));
    }
};

// A table tall enough for its rows and one more, so that the form scrolls as
// one page instead of each table on its own; a long list keeps a scroll bar
// of its own past RowsInView.
void FitRows(QTableWidget& table) {
    constexpr int RowsInView = 15;
    constexpr int LeastHeight = 120;
    int height = 2 * table.frameWidth() + table.horizontalHeader()->sizeHint().height() +
                 table.verticalHeader()->defaultSectionSize();
    for (int r = 0; r < std::min(table.rowCount(), RowsInView - 1); ++r)
        height += table.rowHeight(r);
    table.setMinimumHeight(std::max(height, LeastHeight));
}

// The lines of a multi-line field. Enter after the last line leaves an
// empty one behind, which the document would show as a gap: empty lines at
// the end are not lines of the report.
QStringList LinesOf(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

std::vector<std::string> Utf8Lines(const QString& text) {
    std::vector<std::string> lines;
    for (const QString& line : LinesOf(text))
        lines.push_back(ToUtf8(line));
    return lines;
}

QString JoinLines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list << FromUtf8(line);
    return list.join(QLatin1Char('\n'));
}

// The kind text of a file of no known kind, as found (cp1250).
std::string FoundKindText(const FormRead& read) {
    for (const FormFinding& finding : read.Findings)
        if (finding.Issue == FormIssue::UnknownKind)
            return finding.Value.Value;
    return {};
}

} // namespace

struct ReportEditor::PartWidgets {
    FormPart Part;
    QLineEdit* Text = nullptr;
    QPlainTextEdit* Lines = nullptr;
    QTableWidget* Table = nullptr;
    QLabel* Count = nullptr;
    QLabel* Problems = nullptr;
};

ReportEditor::ReportEditor(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("ReportEditor"));
    // The application's Tab filter swallows Tab in skinned windows only; this
    // one is a standard form, so Tab moves between its fields.
    resize(1180, 820);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, FromBgr(layout::viewer::kBackgroundColour));
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    file->addAction(QStringLiteral("&Nowe sprawozdanie…"), QKeySequence::New, this,
                    &ReportEditor::MenuNewClick);
    file->addAction(QStringLiteral("&Otwórz…"), QKeySequence::Open, this,
                    &ReportEditor::MenuOpenClick);
    file->addAction(QStringLiteral("&Zapisz"), QKeySequence::Save, this, &ReportEditor::Save);
    file->addAction(QStringLiteral("Zapisz &jako…"), QKeySequence::SaveAs, this,
                    &ReportEditor::MenuSaveAsClick);
    file->addSeparator();
    file->addAction(QStringLiteral("Za&mknij"), QKeySequence::Close, this, &QWidget::close);
    QMenu* help = menuBar()->addMenu(QStringLiteral("Po&moc"));
    help->addAction(QStringLiteral("&Pomoc edytora"), QKeySequence(Qt::Key_F1), this, [this]() {
        m_help.Open(Cp1250FromQString(QCoreApplication::applicationDirPath()) + PathSeparator,
                    HelpEditorPage);
    });

    auto* splitter = new QSplitter(this);
    m_formScroll = new QScrollArea(splitter);
    m_formScroll->setWidgetResizable(true);
    m_formHost = new QWidget(m_formScroll);
    m_formHost->setAutoFillBackground(true);
    QPalette formPalette = m_formHost->palette();
    formPalette.setColor(QPalette::Window, QColor(0xF4, 0xF4, 0xF0));
    formPalette.setColor(QPalette::WindowText, FromBgr(layout::viewer::kCommandColour));
    m_formHost->setPalette(formPalette);
    m_formLayout = new QVBoxLayout(m_formHost);
    m_fileProblems = new QLabel(m_formHost);
    // The problems quote the report's values, which are shown as they are.
    m_fileProblems->setTextFormat(Qt::PlainText);
    m_fileProblems->setWordWrap(true);
    m_fileProblems->setStyleSheet(QStringLiteral("color: #B00000;"));
    m_fileProblems->hide();
    m_formLayout->addWidget(m_fileProblems);
    auto* hint = new QLabel(QStringLiteral("Wybierz „Plik” → „Nowe sprawozdanie…” albo "
                                           "„Otwórz…”."),
                            m_formHost);
    m_formLayout->addWidget(hint);
    m_formLayout->addStretch();
    m_formScroll->setWidget(m_formHost);
    m_preview = new TEmbeddedWB(splitter);
    splitter->addWidget(m_formScroll);
    splitter->addWidget(m_preview);
    splitter->setSizes({600, 580});
    setCentralWidget(splitter);

    m_previewTimer = new QTimer(this);
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(250);
    connect(m_previewTimer, &QTimer::timeout, this, &ReportEditor::RefreshPreview);
    m_previewFolder = std::make_unique<QTemporaryDir>();
    m_notice = [this](const QString& text) {
        ShowPlainMessageBox(this, QMessageBox::Warning, QStringLiteral("Edytor sprawozdań"), text);
    };
    UpdateTitle();
}

ReportEditor::~ReportEditor() = default;

void ReportEditor::NewReport(ReportKind kind) {
    m_path.clear();
    m_encoding = FileEncoding::Windows1250;
    BuildForm(EmptyForm(kind));
    ShowProblems({});
    m_modified = false;
    UpdateTitle();
}

bool ReportEditor::OpenFile(const QString& path) {
    FormRead read;
    try {
        read = LoadReportForm(Cp1250FromQString(path));
    } catch (const Failure&) {
        m_notice(QStringLiteral("Nie można odczytać pliku %1.").arg(path));
        return false;
    }
    const ShownText asIs = [](std::string_view utf8) { return std::string(utf8); };
    std::vector<FormProblem> problems = DescribeFormFindings(read, asIs);
    bool kindChosen = false;
    if (!read.Form) {
        // A misspelt kind is the commonest damage a hand-edited file has;
        // the user says what the report is and mends everything else here.
        QString text =
            QStringLiteral("Plik %1 nie jest sprawozdaniem żadnego ze znanych rodzajów.").arg(path);
        for (const FormProblem& problem : problems)
            text += QLatin1Char('\n') + FromUtf8(problem.Message);
        text += QStringLiteral("\nWybierz rodzaj, jako który program ma odczytać plik; zapisanie "
                               "sprawozdania wpisze nazwę tego rodzaju.");
        const std::string found = FoundKindText(read);
        const std::optional<ReportKind> kind = AskKind(text, KindOf(NearestKind(found)));
        if (!kind)
            return false;
        try {
            read = LoadReportForm(Cp1250FromQString(path), kind);
        } catch (const Failure&) {
            m_notice(QStringLiteral("Nie można odczytać pliku %1.").arg(path));
            return false;
        }
        problems = DescribeFormFindings(read, asIs);
        kindChosen = true;
    }
    m_path = path;
    m_encoding = EncodingOf(read);
    BuildForm(*read.Form);
    std::vector<std::pair<int, QString>> shown;
    for (const FormProblem& problem : problems) {
        QString text = FromUtf8(problem.Message);
        if (problem.Row >= 0)
            text = QStringLiteral("wiersz %1: ").arg(problem.Row + 1) + text;
        shown.emplace_back(problem.Part, text);
    }
    ShowProblems(shown);
    // The file still names no known kind until it is saved.
    m_modified = kindChosen;
    UpdateTitle();
    return true;
}

std::optional<ReportKind> ReportEditor::AskKind(const QString& text,
                                                std::optional<ReportKind> guess) {
    if (m_askKind)
        return m_askKind(text, guess);
    QStringList labels;
    int current = 0;
    for (const KindInfo& info : KindTable()) {
        if (guess && info.Kind == *guess)
            current = static_cast<int>(labels.size());
        labels << FromUtf8(std::string(info.Label));
    }
    bool chosen = false;
    const QString label = QInputDialog::getItem(this, QStringLiteral("Rodzaj sprawozdania"), text,
                                                labels, current, false, &chosen);
    if (!chosen)
        return std::nullopt;
    return KindTable()[static_cast<std::size_t>(labels.indexOf(label))].Kind;
}

bool ReportEditor::SaveTo(const QString& path) {
    if (!m_kind)
        return false;
    const ReportForm form = CurrentForm();
    FileEncoding encoding = m_encoding;
    if (encoding == FileEncoding::Windows1250) {
        // The documents' code page cannot hold every name; the file can.
        const std::vector<SaveRefusal> letters = LettersNeedingUtf16(form);
        if (!letters.empty()) {
            QString text = QStringLiteral("Zapisać plik w kodowaniu UTF-16? Tylko w nim zostaną "
                                          "zachowane litery, których nie ma w kodowaniu "
                                          "Windows-1250:");
            for (const SaveRefusal& letter : letters)
                text += QLatin1Char('\n') + FromUtf8(RefusalMessage(form, letter));
            const bool agreed =
                m_askUtf16 ? m_askUtf16(text)
                           : QMessageBox::question(this, QStringLiteral("Edytor sprawozdań"), text,
                                                   QMessageBox::Yes | QMessageBox::No,
                                                   QMessageBox::Yes) == QMessageBox::Yes;
            if (!agreed)
                return false;
            encoding = FileEncoding::Utf16;
        }
    }
    std::vector<SaveRefusal> refusals;
    try {
        refusals = SaveReportForm(form, Cp1250FromQString(path), encoding);
    } catch (const Failure&) {
        m_notice(QStringLiteral("Nie można zapisać pliku %1.").arg(path));
        return false;
    }
    if (!refusals.empty()) {
        QString text = QStringLiteral("Sprawozdanie nie zostało zapisane:");
        for (const SaveRefusal& refusal : refusals)
            text += QLatin1Char('\n') + FromUtf8(RefusalMessage(form, refusal));
        m_notice(text);
        return false;
    }
    m_path = path;
    m_encoding = encoding;
    m_modified = false;
    // What was read from a damaged file is now written sound.
    ShowProblems({});
    UpdateTitle();
    emit Saved(path);
    return true;
}

bool ReportEditor::Save() {
    if (m_path.isEmpty()) {
        MenuSaveAsClick();
        return !m_modified && !m_path.isEmpty();
    }
    return SaveTo(m_path);
}

ReportForm ReportEditor::CurrentForm() const {
    ReportForm form = EmptyForm(m_kind.value_or(ReportKind::Class));
    for (std::size_t i = 0; i < m_parts.size() && i < form.Values.size(); ++i) {
        const PartWidgets& widgets = *m_parts[i];
        PartValue& value = form.Values[i];
        if (widgets.Text != nullptr)
            value.Text = ToUtf8(widgets.Text->text());
        if (widgets.Lines != nullptr)
            value.Lines = Utf8Lines(widgets.Lines->toPlainText());
        if (widgets.Table == nullptr)
            continue;
        const PartShape shape = widgets.Part.Shape;
        for (int r = 0; r < widgets.Table->rowCount(); ++r) {
            const auto cell = [&](int column) {
                const QTableWidgetItem* item = widgets.Table->item(r, column);
                return item != nullptr ? item->text() : QString();
            };
            StudentRow row;
            const std::span<const RowField> fields = LayoutOf(shape).Fields;
            for (std::size_t c = 0; c < fields.size(); ++c) {
                const QString text = cell(static_cast<int>(c));
                if (fields[c].Value == RowValue::Lines)
                    row.Lines = Utf8Lines(text);
                else
                    FieldText(row, fields[c].Value) = ToUtf8(text);
            }
            value.Rows.push_back(std::move(row));
        }
    }
    return form;
}

void ReportEditor::BuildForm(const ReportForm& form) {
    m_filling = true;
    m_kind = form.Kind;
    m_parts.clear();
    // Everything but the file's problem line goes; the form is built anew.
    while (m_formLayout->count() > 1) {
        QLayoutItem* item = m_formLayout->takeAt(1);
        if (item->widget() != nullptr)
            item->widget()->deleteLater();
        delete item;
    }
    auto* kind = new QLabel(
        QStringLiteral("<b>%1</b>").arg(FromUtf8(std::string(Info(form.Kind).Label))), m_formHost);
    m_formLayout->addWidget(kind);
    const std::span<const FormPart> parts = FormParts(form.Kind);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        auto widgets = std::make_unique<PartWidgets>();
        widgets->Part = parts[i];
        const PartValue& value = form.Values[i];
        const QString label = FromUtf8(std::string(parts[i].Label));
        auto* box = new QGroupBox(label, m_formHost);
        auto* layout = new QVBoxLayout(box);
        if (parts[i].Shape == PartShape::Text) {
            widgets->Text = new QLineEdit(FromUtf8(value.Text), box);
            connect(widgets->Text, &QLineEdit::textChanged, this, &ReportEditor::FormChanged);
            layout->addWidget(widgets->Text);
        } else if (parts[i].Shape == PartShape::Lines) {
            widgets->Lines = new QPlainTextEdit(JoinLines(value.Lines), box);
            widgets->Lines->setTabChangesFocus(true);
            widgets->Lines->setToolTip(
                QStringLiteral("Każdy wiersz pola to jeden wiersz dokumentu."));
            widgets->Lines->setMinimumHeight(90);
            connect(widgets->Lines, &QPlainTextEdit::textChanged, this, &ReportEditor::FormChanged);
            layout->addWidget(widgets->Lines);
        } else {
            const QStringList columns = ColumnsOf(parts[i].Shape);
            auto* table = new QTableWidget(static_cast<int>(value.Rows.size()),
                                           static_cast<int>(columns.size()), box);
            widgets->Table = table;
            table->setHorizontalHeaderLabels(columns);
            // The names get the room; only justification lines need more.
            if (HasLinesColumn(parts[i].Shape)) {
                table->horizontalHeader()->setStretchLastSection(true);
                table->setColumnWidth(0, 190);
                if (parts[i].Shape == PartShape::GradedJustifications)
                    table->setColumnWidth(1, 120);
            } else {
                table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
                // The second column is as wide as its header at least.
                for (int c = 1; c < table->columnCount(); ++c)
                    table->horizontalHeader()->setSectionResizeMode(c,
                                                                    QHeaderView::ResizeToContents);
            }
            table->setTabKeyNavigation(false);
            table->setSelectionBehavior(QAbstractItemView::SelectRows);
            if (HasLinesColumn(parts[i].Shape))
                table->setItemDelegateForColumn(static_cast<int>(columns.size()) - 1,
                                                new LinesDelegate(table));
            for (std::size_t r = 0; r < value.Rows.size(); ++r) {
                const StudentRow& row = value.Rows[r];
                const std::span<const RowField> fields = LayoutOf(parts[i].Shape).Fields;
                for (std::size_t c = 0; c < fields.size(); ++c) {
                    const QString text = fields[c].Value == RowValue::Lines
                                             ? JoinLines(row.Lines)
                                             : FromUtf8(FieldText(row, fields[c].Value));
                    table->setItem(static_cast<int>(r), static_cast<int>(c),
                                   new QTableWidgetItem(text));
                }
            }
            connect(table, &QTableWidget::itemChanged, this, &ReportEditor::FormChanged);
            layout->addWidget(table);
            auto* buttons = new QHBoxLayout;
            const auto addButton = [&](const QString& text, auto action) {
                auto* button = new QPushButton(text, box);
                connect(button, &QPushButton::clicked, this, [this, table, action]() {
                    action(table);
                    FormChanged();
                });
                buttons->addWidget(button);
            };
            addButton(QStringLiteral("Dodaj"), [](QTableWidget* t) {
                t->insertRow(t->rowCount());
                auto* first = new QTableWidgetItem;
                t->setItem(t->rowCount() - 1, 0, first);
                t->setCurrentItem(first);
                // What the user types next is the new student's name.
                t->setFocus();
                t->editItem(first);
            });
            addButton(QStringLiteral("Usuń"), [](QTableWidget* t) {
                if (t->currentRow() >= 0)
                    t->removeRow(t->currentRow());
            });
            const auto move = [](QTableWidget* t, int by) {
                const int from = t->currentRow();
                const int to = from + by;
                if (from < 0 || to < 0 || to >= t->rowCount())
                    return;
                for (int c = 0; c < t->columnCount(); ++c) {
                    QTableWidgetItem* a = t->takeItem(from, c);
                    QTableWidgetItem* b = t->takeItem(to, c);
                    t->setItem(from, c, b);
                    t->setItem(to, c, a);
                }
                t->setCurrentCell(to, t->currentColumn());
            };
            addButton(QStringLiteral("W górę"), [move](QTableWidget* t) { move(t, -1); });
            addButton(QStringLiteral("W dół"), [move](QTableWidget* t) { move(t, 1); });
            buttons->addStretch();
            layout->addLayout(buttons);
        }
        if (parts[i].Shape != PartShape::Text) {
            widgets->Count = new QLabel(box);
            layout->addWidget(widgets->Count);
        }
        widgets->Problems = new QLabel(box);
        widgets->Problems->setTextFormat(Qt::PlainText);
        widgets->Problems->setWordWrap(true);
        widgets->Problems->setStyleSheet(QStringLiteral("color: #B00000;"));
        widgets->Problems->hide();
        layout->addWidget(widgets->Problems);
        m_formLayout->addWidget(box);
        m_parts.push_back(std::move(widgets));
    }
    m_formLayout->addStretch();
    m_filling = false;
    UpdateCounts();
    RefreshPreview();
    // A new form starts at its kind's title with the first field ready for
    // typing; the focus left in the old form would take the view down with it.
    for (const auto& widgets : m_parts) {
        QWidget* field = widgets->Text != nullptr    ? static_cast<QWidget*>(widgets->Text)
                         : widgets->Lines != nullptr ? static_cast<QWidget*>(widgets->Lines)
                                                     : widgets->Table;
        if (field != nullptr) {
            field->setFocus();
            break;
        }
    }
    m_formScroll->verticalScrollBar()->setValue(0);
}

void ReportEditor::ShowProblems(std::vector<std::pair<int, QString>> problems) {
    // A letter that needs UTF-16 stays marked for as long as the field holds it.
    const ReportForm form = CurrentForm();
    for (const SaveRefusal& letter : LettersNeedingUtf16(form)) {
        QString text = QStringLiteral("znak „%1” wymaga kodowania UTF-16 (%2)")
                           .arg(FromUtf8(letter.Value), FromUtf8(letter.Element));
        if (letter.Row >= 0)
            text = QStringLiteral("wiersz %1: ").arg(letter.Row + 1) + text;
        problems.emplace_back(letter.Part, text);
    }
    QStringList whole;
    std::vector<QStringList> perPart(m_parts.size());
    for (const auto& [part, text] : problems) {
        if (part >= 0 && static_cast<std::size_t>(part) < m_parts.size())
            perPart[static_cast<std::size_t>(part)] << text;
        else
            whole << text;
    }
    m_fileProblems->setText(whole.join(QLatin1Char('\n')));
    m_fileProblems->setVisible(!whole.isEmpty());
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        m_parts[i]->Problems->setText(perPart[i].join(QLatin1Char('\n')));
        m_parts[i]->Problems->setVisible(!perPart[i].isEmpty());
    }
}

void ReportEditor::FormChanged() {
    if (m_filling)
        return;
    m_modified = true;
    UpdateTitle();
    UpdateCounts();
    m_previewTimer->start();
}

void ReportEditor::UpdateCounts() {
    for (const auto& widgets : m_parts) {
        if (widgets->Table != nullptr)
            FitRows(*widgets->Table);
        if (widgets->Count == nullptr)
            continue;
        const int count = widgets->Table != nullptr
                              ? widgets->Table->rowCount()
                              : static_cast<int>(LinesOf(widgets->Lines->toPlainText()).size());
        widgets->Count->setText(CountWord(widgets->Part.Shape).arg(count));
    }
}

void ReportEditor::RefreshPreview() {
    if (!m_kind || !m_previewFolder->isValid())
        return;
    // The preview page is made by the same writer as the list editor's
    // preview, from the form written to a private file.
    const std::string folder = Cp1250FromQString(m_previewFolder->path()) + "/";
    const std::string report = folder + "Sprawozdanie.xml";
    try {
        const ReportForm form = CurrentForm();
        FormDocument(form, LettersNeedingUtf16(form).empty() ? FileEncoding::Windows1250
                                                             : FileEncoding::Utf16)
            ->SaveToFile(report);
        ReportCatalogue catalogue;
        AppendToCatalogue(catalogue, {report});
        GenerationState state;
        if (WritePreviewFileOfEntry(state, catalogue, 0, folder))
            m_preview->Navigate(folder + std::string(PreviewFileName));
    } catch (const std::exception&) {
        // The preview is a convenience; a private file that cannot be
        // written leaves the last page in view.
    }
}

void ReportEditor::UpdateTitle() {
    QString title = QStringLiteral("Edytor sprawozdań");
    if (m_kind) {
        title += QStringLiteral(" – ") +
                 (m_path.isEmpty() ? QStringLiteral("nowe sprawozdanie") : m_path);
        if (m_modified)
            title += QStringLiteral(" *");
    }
    setWindowTitle(title);
}

bool ReportEditor::MaySetAside() {
    if (!m_modified)
        return true;
    const QMessageBox::StandardButton answer =
        m_askToSave ? m_askToSave()
                    : QMessageBox::question(
                          this, QStringLiteral("Edytor sprawozdań"),
                          QStringLiteral("Sprawozdanie ma niezapisane zmiany. Zapisać je?"),
                          QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                          QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return Save();
    return answer == QMessageBox::Discard;
}

void ReportEditor::MenuNewClick() {
    if (!MaySetAside())
        return;
    QStringList labels;
    for (const KindInfo& info : KindTable())
        labels << FromUtf8(std::string(info.Label));
    bool chosen = false;
    const QString label =
        QInputDialog::getItem(this, QStringLiteral("Nowe sprawozdanie"),
                              QStringLiteral("Rodzaj sprawozdania:"), labels, 0, false, &chosen);
    if (chosen)
        NewReport(KindTable()[static_cast<std::size_t>(labels.indexOf(label))].Kind);
}

void ReportEditor::MenuOpenClick() {
    if (!MaySetAside())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Otwórz sprawozdanie"), m_path.isEmpty() ? m_startFolder : m_path,
        QStringLiteral("Pliki sprawozdań (*.xml);;Wszystkie pliki (*)"));
    if (!path.isEmpty())
        OpenFile(path);
}

void ReportEditor::MenuSaveAsClick() {
    if (!m_kind)
        return;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Zapisz sprawozdanie"),
                                                ProposedSavePath(),
                                                QStringLiteral("Pliki sprawozdań (*.xml)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive))
        path += QStringLiteral(".xml");
    SaveTo(path);
}

QString ReportEditor::ProposedSavePath() const {
    if (!m_path.isEmpty())
        return m_path;
    const QString name = FromUtf8(ProposedFileName(CurrentForm()));
    return m_startFolder.isEmpty() ? name : QDir(m_startFolder).filePath(name);
}

void ReportEditor::closeEvent(QCloseEvent* event) {
    if (MaySetAside())
        event->accept();
    else
        event->ignore();
}

const ReportEditor::PartWidgets* ReportEditor::PartOf(std::string_view element) const {
    for (const auto& widgets : m_parts)
        if (widgets->Part.Element == element)
            return widgets.get();
    return nullptr;
}

QLineEdit* ReportEditor::TextField(std::string_view element) const {
    const PartWidgets* part = PartOf(element);
    return part != nullptr ? part->Text : nullptr;
}

QPlainTextEdit* ReportEditor::LinesField(std::string_view element) const {
    const PartWidgets* part = PartOf(element);
    return part != nullptr ? part->Lines : nullptr;
}

QTableWidget* ReportEditor::StudentTable(std::string_view element) const {
    const PartWidgets* part = PartOf(element);
    return part != nullptr ? part->Table : nullptr;
}

QLabel* ReportEditor::CountLabel(std::string_view element) const {
    const PartWidgets* part = PartOf(element);
    return part != nullptr ? part->Count : nullptr;
}

QLabel* ReportEditor::ProblemLabel(std::string_view element) const {
    const PartWidgets* part = PartOf(element);
    return part != nullptr ? part->Problems : nullptr;
}

} // namespace notarion
