#pragma once
// TIfxComponent: what every component of the access layer shares — a class
// name, an optional component name (used to prefix the layer's own error
// texts) and the design-time flag the monitor gate looks at. Each component
// announces itself to the registered TIfxEvents instances when it is created
// and when it is destroyed.
//
// The announcements are made by this base class, so handlers see the
// component through this interface only (class name, name, identity): at
// that moment the derived part is not built yet, or already gone.
//
// A component that keeps a pointer to another (a connection to its monitor,
// processor and field types) asks to be told when that one goes
// (FreeNotification): the going component calls Notification on each such
// holder from its destructor, so no holder is left with a dangling link.
#include <string>
#include <vector>

namespace varnok {

class TIfxComponent {
public:
    explicit TIfxComponent(std::string className);
    virtual ~TIfxComponent();
    TIfxComponent(const TIfxComponent&) = delete;
    TIfxComponent& operator=(const TIfxComponent&) = delete;

    const std::string& ClassName() const { return className_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // True while the component lives in a form designer; never in the program.
    bool Designing() const { return designing_; }
    void SetDesigning(bool designing) { designing_ = designing; }

    // holder->Notification(*this) runs when this component is destroyed
    // (once per holder, however often it asked). A holder that goes first is
    // forgotten by itself.
    void FreeNotification(TIfxComponent* holder);
    void RemoveFreeNotification(TIfxComponent* holder);

protected:
    // A component this one asked about is being destroyed: forget it. Only
    // its address may be used (its derived part is already gone).
    virtual void Notification(TIfxComponent& /*destroyed*/) {}

private:
    void ForgetHolder(TIfxComponent* holder);

    std::string className_;
    std::string name_;
    bool designing_ = false;
    std::vector<TIfxComponent*> holders_;   // told when this one goes
    std::vector<TIfxComponent*> watched_;   // components this one asked about
};

}  // namespace varnok
