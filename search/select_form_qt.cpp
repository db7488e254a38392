#include "search/select_form_qt.h"

#include "search/select_form.h"

namespace tracklore {

void ShowSelectFormQt(ui::TMainForm&, std::unique_ptr<TSelectForm>) {}

}  // namespace tracklore
