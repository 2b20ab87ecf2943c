// The build step: makes the files of one place (the built-in resources or one
// library) from the manifest, writes them into a staging folder and lists
// them in a .qrc file for rcc. A place can be split into shards that run in
// parallel; each shard writes its own .qrc and rcc takes them all.
#pragma once

#include <QString>

namespace varnok::builder {

struct StageOptions {
  QString resources;  // the resources/ source folder
  QString generated;  // folder of the generators' outputs (one sub-folder each)
  QString place;      // "builtin" or a library file name
  int shard = 0;
  int shards = 1;
  QString out;        // staging folder of the place
};

// Returns the process exit code; messages go to stderr.
int RunStage(const StageOptions& options);

// Writes the licence notes of every place into a folder (one text per place,
// plus copies of the licence files of resources/licenses/).
int RunLicences(const QString& resources, const QString& out);

// Prints the manifest lines of every card face, suit sign and back that the
// program's LoadFaces and LoadBacks ask for, grouped by design.
int PrintCardManifest();

}  // namespace varnok::builder
