#include "gif_animation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

#include "gif_writer.h"

namespace varnok::builder {

namespace {

void SetError(QString* error, const QString& message) {
  if (error) *error = message;
}

}  // namespace

bool ReadAnimationTiming(const QString& path, AnimationTiming& timing, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    SetError(error, QStringLiteral("cannot read %1").arg(path));
    return false;
  }
  timing = AnimationTiming{};
  int number = 0;
  while (!file.atEnd()) {
    ++number;
    QString line = QString::fromUtf8(file.readLine());
    const qsizetype hash = line.indexOf(QLatin1Char('#'));
    if (hash >= 0) line.truncate(hash);
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) continue;
    bool ok = words.size() == 2;
    const int value = ok ? words[1].toInt(&ok) : 0;
    if (words[0] == QLatin1String("delay") && ok && value > 0) {
      timing.delay_ms = value;
    } else if (words[0] == QLatin1String("last") && ok && value > 0) {
      timing.last_ms = value;
    } else if (words[0] == QLatin1String("loop") && words.size() == 2 && words[1] == QLatin1String("forever")) {
      timing.loops = 0;
    } else if (words[0] == QLatin1String("loop") && words.size() == 2 && words[1] == QLatin1String("once")) {
      timing.loops = -1;
    } else if (words[0] == QLatin1String("loop") && ok && value > 0 && value < 65536) {
      timing.loops = value;
    } else {
      SetError(error, QStringLiteral("%1:%2: expected \"delay MS\", \"last MS\" or \"loop forever|once|N\"")
                          .arg(path).arg(number));
      return false;
    }
  }
  return true;
}

bool RenderAnimation(const QString& path, QSize size, QList<QImage>& frames, AnimationTiming& timing,
                     QString* error) {
  if (!ReadAnimationTiming(path, timing, error)) return false;
  const QDir folder = QFileInfo(path).dir();
  const QStringList names = folder.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
  if (names.size() < 2) {
    SetError(error, QStringLiteral("%1 needs at least two *.svg frames").arg(folder.path()));
    return false;
  }
  frames.clear();
  for (const QString& name : names) {
    QSvgRenderer svg(folder.filePath(name));
    if (!svg.isValid()) {
      SetError(error, QStringLiteral("cannot read the drawing %1").arg(name));
      return false;
    }
    QSize target = size;
    if (!target.isValid()) {
      target = svg.defaultSize();
    } else {
      const QSizeF drawn = svg.viewBoxF().size();
      const double ratio = (drawn.width() / drawn.height()) / (double(target.width()) / target.height());
      if (ratio < 0.99 || ratio > 1.01) {
        SetError(error, QStringLiteral("the frame %1's proportions differ from %2x%3")
                            .arg(name).arg(target.width()).arg(target.height()));
        return false;
      }
    }
    if (!frames.isEmpty() && target != frames.first().size()) {
      SetError(error, QStringLiteral("the frame %1 differs in size from the first").arg(name));
      return false;
    }
    QImage picture(target, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    svg.render(&p);
    p.end();
    frames.append(picture);
  }
  return true;
}

bool EncodeGif(const QList<QImage>& pictures, const AnimationTiming& timing, QByteArray& gif, QString* error) {
  QList<GifFrame> frames;
  frames.reserve(pictures.size());
  for (qsizetype i = 0; i < pictures.size(); ++i) {
    const bool last = i + 1 == pictures.size();
    frames.append(GifFrame{pictures[i], last && timing.last_ms > 0 ? timing.last_ms : timing.delay_ms});
  }
  return varnok::EncodeGif(frames, GifOptions{GifPalette::Shared, timing.loops}, gif, error);
}

}  // namespace varnok::builder
