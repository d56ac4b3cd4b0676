#pragma once

#include <QWidget>
#include <map>
#include <memory>

#include "ui/form.h"

namespace qtplatform {

// The windows of the forms. A form attached here gets its window from its Designer layout,
// bound by name, the first time it is shown. Destroy this before the forms it serves.
class FormViews {
public:
    FormViews();
    FormViews(const FormViews&) = delete;
    FormViews& operator=(const FormViews&) = delete;
    ~FormViews();

    // Throws BindError when no layout carries the form's name.
    void attach(ui::Form& form);
    // The form's window, built and bound now if it was not yet.
    QWidget& window(ui::Form& form);

private:
    class PendingView;
    std::map<ui::Form*, std::unique_ptr<PendingView>> pending_;
    std::map<ui::Form*, std::unique_ptr<QWidget>> windows_;
};

}  // namespace qtplatform
