#include <om/core/notify.h>

namespace om {

OmObserver::OmObserver(OmStandardNotifier* notifier) {
    SetNotifyParent(notifier);
}

OmObserver::OmObserver(OmStandardNotifier* notifier, const Link& link) : link_(link) {
    SetNotifyParent(notifier);
}

OmObserver& OmObserver::operator=(const OmObserver& other) {
    link_ = other.link_;
    return *this;
}

OmObserver::~OmObserver() {
    RemoveFromNotifyParent();
}

bool OmObserver::SetNotifyParent(OmStandardNotifier* notifier) {
    return notifier != nullptr && notifier->AddObserver(this);
}

bool OmObserver::RemoveFromNotifyParent() {
    return parent_ != nullptr && parent_->RemoveObserver(this);
}

bool OmObserver::ChangeNotifyParent(OmStandardNotifier* notifier) {
    RemoveFromNotifyParent();
    return SetNotifyParent(notifier);
}

void OmObserver::Notify(OmNotifyEvent* event) {
    link_.Call(event);
}

OmStandardNotifier::~OmStandardNotifier() {
    RemoveAllObservers();
}

bool OmStandardNotifier::AddObserver(OmObserver* observer) {
    if (observer == nullptr || observer->parent_ != nullptr) return false;
    Add(observer);
    observer->parent_ = this;
    return true;
}

bool OmStandardNotifier::RemoveObserver(OmObserver* observer) {
    const int index = Search(observer, 0);
    if (index < 0) return false;
    observer->parent_ = nullptr;
    Remove(index);
    return true;
}

void OmStandardNotifier::RemoveAllObservers() {
    while (!IsEmpty()) RemoveObserver((*this)[0]);
}

int OmStandardNotifier::NotifyObservers(OmNotifyEvent* event, OmObserver* except) {
    // Indexing afresh on every step keeps the walk in bounds even if an observer breaks the
    // rule and deregisters itself from inside Notify.
    for (int k = 0; k < Size(); ++k) {
        OmObserver* observer = (*this)[k];
        if (observer != except) observer->Notify(event);
    }
    return Size();
}

}  // namespace om
