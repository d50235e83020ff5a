#include "ui/skin/ControlFactory.h"

#include "ui/core/ControlUI.h"

namespace ui {
namespace {

using ClassTable = std::map<std::string, CreateClass, NoCaseLess>;

// Function-local so static registrations in other files find it constructed.
ClassTable& BuiltIns() {
    static ClassTable table;
    return table;
}

const BuiltInControlRegistration kControlTag("Control", MakeControl<CControlUI>());

}  // namespace

CControlFactory* CControlFactory::GetInstance() {
    static CControlFactory instance;
    return &instance;
}

void CControlFactory::RegisterBuiltIn(const std::string& tag, CreateClass create) {
    BuiltIns()[tag] = std::move(create);
}

const CreateClass* CControlFactory::Find(std::string_view name) const {
    // "Gadget" names CGadgetUI, "OrvaneMouseDevice" COrvaneMouseDevice; a tag that already
    // ends in "UI" is not another class's short name ("KeySetControlUI" is a layout tag
    // beside the class CKeySetControlUI, whose tag is "KeySetControl").
    const bool endsInUI = name.size() > 2 &&
                          (name[name.size() - 2] == 'U' || name[name.size() - 2] == 'u') &&
                          (name.back() == 'I' || name.back() == 'i');
    std::string forms[] = {std::string(name), "C" + std::string(name) + "UI",
                           endsInUI ? std::string() : "C" + std::string(name)};
    for (const std::string& form : forms) {
        if (form.empty())
            continue;
        auto it = m_registered.find(form);
        if (it != m_registered.end())
            return &it->second;
    }
    auto it = BuiltIns().find(name);
    if (it != BuiltIns().end())
        return &it->second;
    return nullptr;
}

CControlUI* CControlFactory::CreateControl(std::string_view name) const {
    const CreateClass* create = Find(name);
    return create != nullptr ? (*create)() : nullptr;
}

void CControlFactory::RegistControl(const std::string& className, CreateClass create) {
    if (className.empty() || !create)
        return;
    m_registered[className] = std::move(create);
}

void CControlFactory::UnregistControl(const std::string& className) {
    m_registered.erase(className);
}

bool CControlFactory::IsRegistered(std::string_view name) const {
    return Find(name) != nullptr;
}

std::vector<std::string> CControlFactory::BuiltInNames() const {
    std::vector<std::string> names;
    for (const auto& [name, create] : BuiltIns())
        names.push_back(name);
    return names;
}

}  // namespace ui
