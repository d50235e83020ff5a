#pragma once
// CControlFactory: makes controls by class or tag name, for the layout builder.
//
// Two tables: the built-in tags of the library (Button, Label, VerticalLayout ...) and the
// classes the program registers at start-up (RegistControl). A name is looked up without
// regard to case, as given and in the class-name forms "C<name>UI" and "C<name>", so that the
// registered class "CCircleProgressUI" serves the tag "CircleProgress".
//
// A library source file adds its own controls to the built-in table with a static object:
//
//     static const ui::BuiltInControlRegistration kEdit("Edit", [] {
//         return static_cast<ui::CControlUI*>(new ui::CEditUI);
//     });
//
// (t418_ui is linked whole, so such objects are never dropped by the linker.)
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/StringUtil.h"

namespace ui {

class CControlUI;

using CreateClass = std::function<CControlUI*()>;

class CControlFactory {
  public:
    static CControlFactory* GetInstance();

    // nullptr when neither table knows the name.
    CControlUI* CreateControl(std::string_view name) const;
    // The program's classes; a second registration of a name replaces the first.
    void RegistControl(const std::string& className, CreateClass create);
    void UnregistControl(const std::string& className);
    bool IsRegistered(std::string_view name) const;
    // The built-in tags (for documentation checks and the gallery).
    std::vector<std::string> BuiltInNames() const;

    static void RegisterBuiltIn(const std::string& tag, CreateClass create);

  private:
    const CreateClass* Find(std::string_view name) const;
    std::map<std::string, CreateClass, NoCaseLess> m_registered;
};

// The creator of a control class: T is complete where this is instantiated (the control's
// own file), so the factory itself includes no control.
template <typename T>
CreateClass MakeControl() {
    return [] { return static_cast<CControlUI*>(new T); };
}

struct BuiltInControlRegistration {
    BuiltInControlRegistration(const std::string& tag, CreateClass create) {
        CControlFactory::RegisterBuiltIn(tag, std::move(create));
    }
};

}  // namespace ui
