// "varnok-server admin": acts on the server's database directly (the
// running servers see the change at their next request).
#pragma once

#include <QCoreApplication>

namespace varnok::server {

int RunAdmin(QCoreApplication& app);

}  // namespace varnok::server
