#include "ui/iterations_dialog.h"

#include "ui/integer_field.h"

namespace tamso::ui {

IterationsDialog::IterationsDialog(QWidget* parent, UserPrompts& prompts, int inForce)
    : NumberDialog(parent, prompts,
                   {QStringLiteral("Dialog"), QStringLiteral("Number of iterations"), 90, kEnterIntegerMessage},
                   inForce) {}

}  // namespace tamso::ui
