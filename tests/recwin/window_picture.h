// The picture of a record window for the tests: shown once, grabbed and
// hidden again; with VARNOK_RECWIN_PICTURES set to a folder it is also
// written there as `file` to be looked at.
#pragma once

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QString>
#include <QWidget>

namespace varnok {

inline QImage WindowPicture(QWidget& window, const QString& file) {
  window.show();
  QApplication::processEvents();
  const QImage image = window.grab().toImage();
  window.hide();
  const QString folder = qEnvironmentVariable("VARNOK_RECWIN_PICTURES");
  if (!folder.isEmpty()) {
    QDir().mkpath(folder);
    image.save(QDir(folder).filePath(file));
  }
  return image;
}

}  // namespace varnok
