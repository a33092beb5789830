#include "routing/route_stop.h"

namespace tamso {

const char* stopKindName(StopKind kind) {
  switch (kind) {
    case StopKind::Pickup:
      return "PICKUP";
    case StopKind::Delivery:
      return "DELIVERY";
    case StopKind::Waiting:
      break;
  }
  return "WAITING";
}

RouteStop RouteStop::pickup(const Order& order) {
  RouteStop stop;
  stop.kind = StopKind::Pickup;
  stop.place = order.pickupPlace;
  stop.order = &order;
  stop.window = order.pickupWindow;
  return stop;
}

RouteStop RouteStop::delivery(const Order& order) {
  RouteStop stop;
  stop.kind = StopKind::Delivery;
  stop.place = order.deliveryPlace;
  stop.order = &order;
  stop.window = order.deliveryWindow;
  return stop;
}

RouteStop RouteStop::waiting(const Place& place) {
  RouteStop stop;
  stop.kind = StopKind::Waiting;
  stop.place = &place;
  return stop;
}

}  // namespace tamso
