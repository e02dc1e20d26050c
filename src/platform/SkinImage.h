#pragma once

// The skin pictures of the windows: baseline JPEG files stored in the Qt
// resource system under ":/skins/<name>.jpg", decoded with libjpeg. Names are
// matched without regard to letter case, so "ButTakAkt" finds "buttakakt".

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class QLabel;

namespace notarion {

// Decode one JPEG file held in memory, straight into QImage::Format_RGB32,
// the opaque format windows paint from, so showing it needs no conversion.
// Throws Failure when the bytes are not
// a JPEG picture libjpeg can decode (empty, truncated header, corrupt data,
// an unsupported colour space, a picture wider or taller than 16384 pixels);
// never aborts the process.
QImage DecodeJpeg(const QByteArray& bytes);

// The resource path of a skin name (":/skins/<name>.jpg"), matched without
// regard to letter case; the empty string when no such resource exists.
QString SkinResourcePath(const QString& name);

// Decode the named skin picture. Throws Failure naming the picture when the
// resource is missing or cannot be decoded.
QImage LoadSkinImage(const QString& name);

// Decode the named skin picture and show it in label, drawn from the label's
// top-left corner. Throws Failure as LoadSkinImage does; label keeps its
// previous picture then.
void LoadSkinImage(const QString& name, QLabel* label);

// LoadSkinImage into label for windows that can do without their picture:
// true when it was shown, false (label unchanged, nothing thrown) when the
// picture is missing or cannot be decoded.
bool TryLoadSkinImage(const QString& name, QLabel* label) noexcept;

// TryLoadSkinImage deferred until label is first shown: a window made at
// start but opened later decodes nothing until it opens, and a picture on a
// panel that stays hidden is never decoded. When the picture is missing or
// cannot be decoded, the label stays as it was and ifMissing, when given,
// runs then. Never throws.
void LoadSkinImageWhenShown(const QString& name, QLabel* label,
                            std::function<void()> ifMissing = {});

} // namespace notarion
