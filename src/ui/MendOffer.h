#pragma once

// Mending a report from the list editor: the messages that name one report
// file offer "Popraw" beside "Zamknij", which opens the file in a report
// editor window of its own.

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace notarion {

class ReportEditor;
struct SharedState;

// Show text in the message box. When path names a file that exists and the
// state has a way to ask, "Popraw" stands beside "Zamknij" and the answer is
// whether the user chose it; otherwise the text comes with "Zamknij" alone
// (a name that opens nothing leaves nothing to mend) and the answer is false.
bool AskToMend(const SharedState& state, const std::u16string& text, const std::string& path);

// Open the report file at path (cp1250) in a report editor window owned by
// owner, or bring forward the one owner has open on it already. A new report
// started in the editor is saved in startFolder unless the user goes
// elsewhere; prepare, when given, readies the editor before it reads the
// file, then shows it. Null when the file could not be opened (the editor
// has said why).
ReportEditor* OpenReportEditor(QWidget& owner, const std::string& path, const QString& startFolder,
                               const std::function<void(ReportEditor&)>& prepare);

} // namespace notarion
