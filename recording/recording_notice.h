// The notice shown while a recording is written: a 175 x 40 picture centred
// on the main window's client area, the table under it, the bar "AdvBar3" on
// top and "Creating a GIF..." in red.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace varnok::recording {

inline constexpr int kNoticeWidth = 175;
inline constexpr int kNoticeHeight = 40;

// Where the notice goes: left round(w / 2 - 87.5), top round(h / 2 - 20),
// halves to the even neighbour.
QRect RecordingNoticeRect(QSize client);

// The notice picture. `under` is the part of the table it covers (a null or
// smaller picture leaves the rest transparent); `text` defaults to the
// word-table text "Creating a GIF..." of the current language.
QImage DrawRecordingNotice(const QImage& under, const QString& text = QString());

}  // namespace varnok::recording
