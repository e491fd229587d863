#include "dbaccess/IfxComponent.h"

#include "dbaccess/IfxEvents.h"

namespace varnok {

TIfxComponent::TIfxComponent(std::string className) : className_(std::move(className)) {
    TIfxEvents::AnnounceCreate(*this);
}

TIfxComponent::~TIfxComponent() {
    try {
        TIfxEvents::AnnounceDestroy(*this);
    } catch (...) {
        // A destructor must not throw; a failing handler cannot stop the destruction.
    }
}

}  // namespace varnok
