// The numbered steps of the schema. A step runs once, in one transaction, and
// is never changed after release: a change of the schema is a new step.
// "{ID}" and "{BLOB}" stand for the key and byte-string types of the database.
#pragma once

#include <vector>

namespace varnok::server {

struct Migration {
  int version;
  std::vector<const char*> statements;
};

const std::vector<Migration>& Migrations();

}  // namespace varnok::server
