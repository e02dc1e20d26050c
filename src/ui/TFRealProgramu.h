#pragma once

// The list editor: shows the report catalogue one report kind at a time.
// The main window fills its list and shows it over itself; the editor
// follows the main window and closes through the main window's back button.
//
// From here the user reorders the reports of a kind by dragging them, adds
// and removes report files, previews one report in the preview window,
// saves the set as a list file and generates the document set, which the
// document viewer then shows. Every line of the list stands for its own
// catalogue entry, even when two reports carry the same title.
//
// The window's commands for the whole set are in TFRealProgramuSet.cpp, its
// road to the report editor in TFRealProgramuMending.cpp.

#include "platform/FileDialog.h"
#include "platform/HelpPages.h"
#include "reports/ReportCatalogue.h"
#include "ui/SkinnedWindow.h"
#include "ui/layout/TFRealProgramuLayout.h"

#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLabel;

namespace notarion {

struct SharedState;
struct UnknownKindFile;
class KindListBox;
class ReportEditor;
class TFBrowser;
class TFBrowserMini;
class TFGlowny;

class TFRealProgramu : public QWidget {
    Q_OBJECT
public:
    // The window's fixed size.
    static constexpr int WindowWidth = layout::editor::kWindowSize.width;
    static constexpr int WindowHeight = layout::editor::kWindowSize.height;

    // The hidden editor over state's catalogue, placed relative to
    // mainWindow when shown. Never fails: a missing skin picture leaves a
    // plain background.
    TFRealProgramu(SharedState& state, TFGlowny& mainWindow);

    // Tie in the windows made after this one: the preview window that shows
    // a report's preview and the document viewer that shows the generated
    // set. Until they are tied in (or when null), a preview or a set is
    // still written but not shown. Never fails.
    void SetViewers(TFBrowserMini* previewWindow, TFBrowser* documentViewer);

    // Replace what F1 uses to open the help page (tests watch it). Never fails.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }

    // How the editor asks a yes / no / cancel question: shows the text and
    // returns the message box's answer (TFWarning's results). Without one,
    // the editor asks nothing and closes at once.
    using Question = std::function<int(const std::u16string& text)>;
    void SetQuestion(Question ask) { m_ask = std::move(ask); }

    // How each report editor opened from here is prepared before it opens
    // its file (tests answer its questions). Never fails.
    void SetReportEditorSetUp(std::function<void(ReportEditor&)> prepare) {
        m_prepareEditor = std::move(prepare);
    }

    // Whether the set was changed (reordered, a report added or removed)
    // since it was opened or last saved as a list file.
    bool Unsaved() const { return m_unsaved; }

    // Move the selected line one place up (step -1) or down (+1) within its
    // kind, with its report in the catalogue, as a drag would. Nothing
    // happens without a selection or at the list's end.
    void MoveSelected(int step);

    // The items of the kind selector, in index order (0 to 8).
    static QStringList KindItems();

    // Ask for report files and add them after all entries of the catalogue,
    // then show the chosen kind again. A file that cannot be read is named
    // in the message box; the files added before it stay. A file of no known
    // kind is named and left out; when its kind is close to one of the nine
    // the message offers "Popraw", and once saved in the editor it joins the
    // set. Cancelling does nothing.
    void AddReportFiles();
    // Remove the selected line's report from the catalogue (the file stays
    // on disk) and show the kind again. Does nothing when no line is selected.
    void RemoveSelected();
    // Write the preview of the selected line's report and show it in the
    // preview window, modally. Without a selected line, or when the preview
    // cannot be written, a message says so and nothing opens.
    void PreviewSelected();
    // Ask where to save and write the whole catalogue as a list file there,
    // replacing any file without a question. An empty catalogue, a file that
    // cannot be written and any other error are reported in the message
    // box; the catalogue never changes.
    void SaveListFile();
    // Write the fourteen documents into the output folder (ReportFolder()
    // + "/Protokoly", made when missing), play the main window's progress
    // strip and open the document viewer on the first document, modally. A
    // failure of any step, or no known report folder, is reported in the
    // message box, followed by the file and the reason when known, and
    // stops there.
    void GenerateDocumentSet();
    // "Popraw sprawozdanie": open the selected line's report in the report
    // editor. Without a selected line a message asks for one.
    void EditSelected();
    // "Uporządkuj według klas": order the reports of every kind by class
    // (OrderByClass) and show the kind again; a set that was already in that
    // order stays as it was, unchanged. Ctrl+Z takes the ordering back once.
    void OrderReportsByClass();
    // Ctrl+Z: put the reports back in the order before the last ordering by
    // class, as long as nothing else changed the set since. Otherwise nothing
    // happens.
    void UndoOrderByClass();
    // Open a report file in a report editor window of its own (or bring
    // forward the one already open on it). Once the editor saves a file,
    // the catalogue entries of that file take its new title and the list
    // shows it. Returns the editor, or null when the file could not be
    // opened (the editor has said why).
    ReportEditor* EditReport(const std::string& path);
    // The message text naming the report file at path, with "Popraw", which
    // opens the file in the report editor, beside "Zamknij" (AskToMend). A
    // path that opens nothing, or no way to ask, leaves "Zamknij" alone.
    void OfferMend(const std::string& path, const std::u16string& text);
    // The same for the message naming a damaged report file.
    void OfferMend(const std::string& path) { OfferMend(path, DamagedFileMessage(path)); }
    // A report link of the check page: show and select the entry, then open
    // its report in the report editor.
    void FollowReportLink(int entry);
    // A check page's link to a file of the folder that the catalogue left
    // out (index among FoundReportFiles): open it in the report editor. Once
    // the editor saves it as a report of a known kind, it joins the set.
    void FollowFolderFileLink(int index);
    // Check the set as the catalogue holds it (with the files of its folder
    // that the catalogue left out) and show the check page in the preview
    // window, modally. A page that cannot be written is reported in the
    // message box.
    void CheckSet();
    // After a set was loaded: when its check finds errors, one message says
    // so and points at "Sprawdź zestaw"; warnings alone say nothing.
    void WarnWhenSetHasErrors();
    // Show the kind of a catalogue entry and select its line. Does nothing
    // for an entry outside the catalogue or of no known kind.
    void SelectEntry(int entry);

    // The folder whose "Protokoly" receives the document set: the folder of
    // the list file the current set was opened from, else the folder chosen
    // for the current new set. Empty when neither is known.
    std::string ReportFolder() const;

    // The drag-and-drop handlers of the report list, called by the list's
    // mouse events; points are in the list's viewport coordinates.
    // A press remembers where a drag would start (only on a non-empty list).
    void LListaMouseDown(QPoint point);
    // A drag over the list selects the line under the point; below the last
    // line nothing is selected.
    void LListaDragOver(QPoint point);
    // A drop moves the line pressed last onto the line at point (the last
    // line when point lies below it) and the report's entry along with it in
    // the catalogue. Nothing happens on an empty list or when the press was
    // on no line.
    void LListaDragDrop(QPoint point);

    // The point of the last press on a non-empty list.
    QPoint DragFromPoint() const { return m_dragFromPoint; }

    // Components, positioned as the window's description gives them.
    QWidget* PTlo;
    QLabel* Imrealizacja;
    QWidget* PPodCombo;
    QComboBox* PozycjeBox;
    HotArea* LRozwinBox;
    KindListBox* LLista;
    HotArea* LDodajPlik;
    HotArea* LUsunPlik;
    HotArea* LZapisz;
    HotArea* LPodglond;
    HotArea* LGenrujZestaw;
    HotArea* LSprawdzZestaw;
    HotArea* LPoprawSprawozdanie;
    HotArea* LUporzadkuj;
    QLabel* LKKoncoworoczna;
    FileDialog SaveLista;
    FileDialog OpenLista;
    FileDialog OpenDodatkowe;

protected:
    void showEvent(QShowEvent* event) override;
    // Leaving the editor by any way asks once about a changed list; the
    // answer "Anuluj" keeps it open.
    void closeEvent(QCloseEvent* event) override;
    // The window sees every key before its controls do.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Size the selector and the caption from the font, at the first show.
    void SizeToFont();
    void FormShow();
    // True when the key ran one of the Alt shortcuts (and is used up).
    bool FormKeyDown(const QKeyEvent& key);
    void PozycjeBoxChange(int index);
    void LRozwinBoxClick();
    void LListaDblClick();
    void LDodajPlikClick();
    void LUsunPlikClick();
    void LPodglondClick();
    void LZapiszClick();
    void LGenrujZestawClick();
    void LSprawdzZestawClick();
    // A report editor saved a file: refresh its entries and their lines.
    void ReportSaved(const QString& path);
    // A chosen file of no known kind: named, with "Popraw" when its kind is
    // close to one of the nine; saved in the editor, it joins the set.
    void OfferToMendAndAdd(const UnknownKindFile& file);
    // A report file saved in the editor that the set does not hold joins it
    // after its entries, and its line is shown and selected.
    void JoinSavedReport(const std::string& path);
    void OpenHelp();
    // Move a line and its report (both positions taken before the move).
    void MoveLine(int source, int target);
    // True when the editor may close: the list is saved, or the user chose
    // not to save it.
    bool ConfirmLeave();

    // The catalogue index of the report that a line of the list stands for.
    int EntryOfLine(int line) const;
    // Write the preview file of one catalogue entry; false after the
    // preview's failure message, which offers to mend the report it names.
    bool WritePreviewOfLine(int line);
    void Warn(int icon, const std::u16string& text);

    SharedState& m_state;
    TFGlowny& m_mainWindow;
    TFBrowserMini* m_previewWindow = nullptr;
    TFBrowser* m_documentViewer = nullptr;
    HelpOpener m_help;
    QPoint m_dragFromPoint;
    Question m_ask;
    std::function<void(ReportEditor&)> m_prepareEditor;
    bool m_unsaved = false;
    // What the last ordering by class changed, for Ctrl+Z: the entries
    // before and after it, and whether the set was saved before.
    struct OrderUndo {
        std::vector<ReportEntry> Before;
        std::vector<ReportEntry> After;
        bool WasUnsaved = false;
    };
    std::optional<OrderUndo> m_orderUndo;
    // The selector and the caption have their sizes from the font.
    bool m_sizedToFont = false;
};

} // namespace notarion
