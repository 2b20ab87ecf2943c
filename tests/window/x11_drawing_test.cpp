// The program sends its pictures to an X server over the connection unless
// the player asks for shared memory or has made Qt's choice already.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <optional>

#include "x11_drawing.h"

namespace varnok {
namespace {

class Variable {
 public:
  explicit Variable(const char* name) : name_(name) {
    if (qEnvironmentVariableIsSet(name_)) saved_ = qgetenv(name_);
  }
  ~Variable() { Set(saved_); }
  void Set(const std::optional<QByteArray>& value) {
    if (value) qputenv(name_, *value);
    else qunsetenv(name_);
  }
  std::optional<QByteArray> Get() const {
    if (!qEnvironmentVariableIsSet(name_)) return std::nullopt;
    return qgetenv(name_);
  }

 private:
  const char* name_;
  std::optional<QByteArray> saved_;
};

TEST(X11Drawing, OverTheConnectionUnlessThePlayerChoseOtherwise) {
  Variable qt("QT_XCB_NO_MITSHM");
  Variable ours("VARNOK_X11_SHM");
  const struct {
    std::optional<QByteArray> qt_before, ours;
    std::optional<QByteArray> qt_after;
  } cases[] = {
      {std::nullopt, std::nullopt, QByteArray("1")},      // the default: over the connection
      {std::nullopt, QByteArray("0"), QByteArray("1")},   // only "1" asks for shared memory
      {std::nullopt, QByteArray("1"), std::nullopt},      // shared memory, as asked
      {QByteArray(""), std::nullopt, QByteArray("")},     // Qt's own switch, set by the player, stays
      {QByteArray("1"), QByteArray("1"), QByteArray("1")},
  };
  for (const auto& c : cases) {
    qt.Set(c.qt_before);
    ours.Set(c.ours);
    PrepareX11Drawing();
    EXPECT_EQ(qt.Get(), c.qt_after) << "QT_XCB_NO_MITSHM " << (c.qt_before ? c.qt_before->constData() : "unset")
                                    << ", VARNOK_X11_SHM " << (c.ours ? c.ours->constData() : "unset");
  }
}

}  // namespace
}  // namespace varnok
