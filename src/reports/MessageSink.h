#pragma once

#include <functional>
#include <string>

namespace notarion {

// Button sets and icons of the message box. Kept as integers because the
// message box's own contract speaks of them as numbers.
// ModeMendOrClose offers "Popraw" (open the named file in the report editor)
// beside "Zamknij".
enum MessageMode : int { ModeClose = 1, ModeYesNoCancel = 3, ModeMendOrClose = 5 };
enum MessageIcon : int { IconInfo = 1, IconQuestion = 2, IconWarning = 3 };

// How the core shows a message: the windows plug in the message box's
// ShowWarning; tests and the command line plug in their own recorder. A
// carriage return in the text starts a new line.
using MessageSink = std::function<void(int mode, int icon, const std::u16string& text)>;
// A message that waits for an answer: the message box's result (0 "Zamknij",
// 1 "Tak", 2 "Nie", 3 "Anuluj", 5 "Popraw").
using MessageQuestion = std::function<int(int mode, int icon, const std::u16string& text)>;

} // namespace notarion
