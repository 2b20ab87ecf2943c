// The controller of the local player's seat for the choices made in
// dialogs: as declarer, once the given cards are shown, the trump and then
// the order. The dialogs open without waiting; each answer becomes a move.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "dialog_look.h"
#include "engine.h"
#include "move.h"

namespace varnok {

class LocalSeat {
 public:
  using ApplyMove = std::function<void(const Move&)>;

  LocalSeat(QWidget* parent, SoundHook sound) : parent_(parent), sound_(std::move(sound)) {}

  // Opens the dialog the state asks of the local player now, if any;
  // `apply` gets the move when it closes. True while a dialog is open.
  bool Ask(const Engine& engine, ApplyMove apply);
  bool Asking() const { return !dialog_.isNull(); }
  // Closes an open dialog without a move (the table was left).
  void Cancel();

 private:
  QWidget* parent_;
  SoundHook sound_;
  QPointer<QWidget> dialog_;
};

}  // namespace varnok
