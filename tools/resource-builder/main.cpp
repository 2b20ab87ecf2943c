// resource-builder: makes the program's pictures and sounds from the sources
// under resources/ as the manifest lists them.
//
//   resource-builder stage --resources DIR --generated DIR --place PLACE
//                          --shard I/N --out DIR
//   resource-builder licences --resources DIR --out DIR
//   resource-builder card-manifest > resources/manifest/cards.txt
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QStringList>
#include <cstdio>

#include "stage.h"

namespace {

// The decks use SVG features Qt does not draw (it says so for every element);
// the pictures are checked by eye on the contact sheet instead.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (type == QtWarningMsg && (message.startsWith(QLatin1String("QStandardPaths:")) ||
                               (context.category && qstrcmp(context.category, "qt.svg") == 0))) {
    return;
  }
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

int Usage() {
  std::fprintf(stderr,
               "usage: resource-builder stage --resources DIR --generated DIR --place PLACE --shard I/N --out DIR\n"
               "       resource-builder licences --resources DIR --out DIR\n"
               "       resource-builder card-manifest\n");
  return 2;
}

QString Option(const QStringList& args, const QString& name) {
  const int at = args.indexOf(name);
  return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs a GUI application object but never a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return Usage();
  const QString mode = args.first();
  if (mode == QLatin1String("card-manifest")) return varnok::builder::PrintCardManifest();
  if (mode == QLatin1String("licences")) {
    const QString resources = Option(args, QStringLiteral("--resources")), out = Option(args, QStringLiteral("--out"));
    if (resources.isEmpty() || out.isEmpty()) return Usage();
    return varnok::builder::RunLicences(resources, out);
  }
  if (mode == QLatin1String("stage")) {
    varnok::builder::StageOptions options;
    options.resources = Option(args, QStringLiteral("--resources"));
    options.generated = Option(args, QStringLiteral("--generated"));
    options.place = Option(args, QStringLiteral("--place"));
    options.out = Option(args, QStringLiteral("--out"));
    const QStringList shard = Option(args, QStringLiteral("--shard")).split(QLatin1Char('/'));
    if (shard.size() == 2) {
      options.shard = shard[0].toInt();
      options.shards = shard[1].toInt();
    }
    if (options.resources.isEmpty() || options.place.isEmpty() || options.out.isEmpty() || options.shards < 1 ||
        options.shard < 0 || options.shard >= options.shards) {
      return Usage();
    }
    return varnok::builder::RunStage(options);
  }
  return Usage();
}
