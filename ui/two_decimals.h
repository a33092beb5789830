#pragma once
// Two-decimal display of the single-precision figures of the data (costs, masses,
// coordinates, quantities, prices). The float is first taken at the decimal value it was
// read as (its shortest round-trip form), so a cost read as 0.95, stored as 0.949999988,
// shows as ".95" and not ".94"; the digits are then cut after the second decimal as usual.
#include <QString>

namespace tamso::ui {

QString twoDecimals(float value);

}  // namespace tamso::ui
