#pragma once

#include <QWidget>

#include <stdexcept>
#include <string>
#include <typeinfo>

namespace velmora {

// Where a built control goes in its window's struct of controls: a member
// pointer of that struct, named in the control's description row. The form
// builder fills the member with the control it built, checking that the row
// belongs to that struct and that the control is of the member's type, so a
// window reaches its controls by their types, never by their names.
class ControlSlot {
public:
    ControlSlot() = default;

    template <auto Member>
    static ControlSlot Of()
    {
        using Traits = MemberTraits<decltype(Member)>;
        return ControlSlot(&Fill<Member>, typeid(typename Traits::Owner));
    }

    bool IsSet() const { return fill_ != nullptr; }
    // Puts `widget` into `controls`, a struct of the type `owner` names.
    // Throws std::invalid_argument when either does not fit.
    void Fill(void* controls, const std::type_info& owner, QWidget& widget) const
    {
        if (*owner_ != owner)
            throw std::invalid_argument(std::string("control ") + widget.objectName().toStdString() +
                                        " belongs to another window's controls");
        fill_(controls, widget);
    }

private:
    template <class Member>
    struct MemberTraits;
    template <class Owner_, class Control_>
    struct MemberTraits<Control_ * Owner_::*> {
        using Owner = Owner_;
        using Control = Control_;
    };

    using Filler = void (*)(void* controls, QWidget& widget);

    ControlSlot(Filler fill, const std::type_info& owner) : fill_(fill), owner_(&owner) {}

    template <auto Member>
    static void Fill(void* controls, QWidget& widget)
    {
        using Traits = MemberTraits<decltype(Member)>;
        auto* control = dynamic_cast<typename Traits::Control*>(&widget);
        if (control == nullptr)
            throw std::invalid_argument("control " + widget.objectName().toStdString() + " is not of its slot's type");
        static_cast<typename Traits::Owner*>(controls)->*Member = control;
    }

    Filler fill_ = nullptr;
    const std::type_info* owner_ = &typeid(void);
};

}  // namespace velmora
