#include "game_state.h"
#include "players.h"

namespace varnok {

namespace {

int Up(int value, int minimum, int step) {
  if (value >= kMaxOrder) return minimum;
  return value + step > kMaxOrder ? kMaxOrder : value + step;
}

int Down(int value, int minimum, int step) {
  if (value == minimum) return kMaxOrder;
  return value - step < minimum ? minimum : value - step;
}

}  // namespace

int OrderDialogStep(OrderButton button, int value, int minimum) {
  switch (button) {
    case OrderButton::Up1: return Up(value, minimum, 1);
    case OrderButton::Up5: return Up(value, minimum, 5);
    case OrderButton::Up10: return Up(value, minimum, 10);
    case OrderButton::Down1: return Down(value, minimum, 1);
    case OrderButton::Down5: return Down(value, minimum, 5);
    case OrderButton::Down10: return Down(value, minimum, 10);
  }
  return value;
}

}  // namespace varnok
