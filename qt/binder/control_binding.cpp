#include "qt/binder/control_binding.h"

#include <algorithm>

namespace qtplatform {

ControlBinding::ControlBinding(ui::Control& control, QObject& target, QObject* parent)
    : QObject(parent), control_(control), target_(target) {
    control_.setObserver(this);
}

ControlBinding::~ControlBinding() {
    if (control_.observer() == this) {
        control_.setObserver(nullptr);
    }
}

void ControlBinding::mirror(std::initializer_list<std::string_view> properties,
                            std::function<void()> apply) {
    Mirror& added = mirrors_.emplace_back();
    added.properties.assign(properties.begin(), properties.end());
    added.apply = std::move(apply);
    run(added);
}

void ControlBinding::onChange(std::initializer_list<std::string_view> properties,
                              std::function<void()> apply) {
    Mirror& added = mirrors_.emplace_back();
    added.properties.assign(properties.begin(), properties.end());
    added.apply = std::move(apply);
}

void ControlBinding::run(const Mirror& mirror) {
    // Nested changes (a mirror whose widget update makes the model change again) keep the flag.
    const bool wasApplying = std::exchange(applying_, true);
    mirror.apply();
    applying_ = wasApplying;
}

void ControlBinding::propertyChanged(ui::Control&, std::string_view property) {
    for (const Mirror& mirror : mirrors_) {
        if (std::find(mirror.properties.begin(), mirror.properties.end(), property) !=
            mirror.properties.end()) {
            run(mirror);
        }
    }
}

void ControlBinding::onEvent(QObject& watched, QEvent::Type type,
                             std::function<bool(QEvent&)> handler) {
    const bool alreadyWatched =
        std::any_of(eventHandlers_.begin(), eventHandlers_.end(),
                    [&watched](const EventHandler& h) { return h.watched == &watched; });
    eventHandlers_.push_back({&watched, type, std::move(handler)});
    if (!alreadyWatched) {
        watched.installEventFilter(this);
    }
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event) {
    for (const EventHandler& handler : eventHandlers_) {
        if (handler.watched == watched && handler.type == event->type() && handler.handle(*event)) {
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qtplatform
