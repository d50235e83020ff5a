#include "ui/skin/DialogBuilder.h"

#include <pugixml.hpp>

#include "platform/Trace.h"
#include "ui/core/PaintManager.h"
#include "ui/layout/ContainerUI.h"
#include "ui/skin/ControlFactory.h"
#include "ui/skin/ResourceManager.h"

namespace ui {
namespace {

constexpr int kMaxIncludeDepth = 16;
constexpr size_t kMaxLayoutBytes = 16u << 20;
// Includes nest through separate builders; a layout including itself must stop somewhere.
thread_local int g_includeDepth = 0;

bool IsXmlText(const std::string& s) {
    size_t i = s.find_first_not_of(" \t\r\n");
    return i != std::string::npos && s[i] == '<';
}

bool IsDefinitionTag(const char* tag) {
    return EqualsNoCase(tag, "Font") || EqualsNoCase(tag, "Default") ||
           EqualsNoCase(tag, "Image") || EqualsNoCase(tag, "Style");
}

// A "Default" (for every control of a tag) or "Style" (for controls that name it) attribute
// list; both live in one table of the window, keyed by name.
void AddAttributeListDefinition(const pugi::xml_node& node, CPaintManagerUI* manager) {
    std::string name = node.attribute("name").as_string();
    std::string value = node.attribute("value").as_string();
    bool shared = ParseBool(node.attribute("shared").as_string());
    if (!name.empty())
        manager->AddDefaultAttributeList(name, value, shared);
}

}  // namespace

CDialogBuilder::CDialogBuilder() : m_xml(std::make_unique<pugi::xml_document>()) {}
CDialogBuilder::~CDialogBuilder() = default;

bool CDialogBuilder::Load(const std::string& xml) {
    m_bLoaded = false;
    m_sError.clear();
    std::string text;
    std::string what;
    if (IsXmlText(xml)) {
        text = xml;
        what = "layout text";
    } else {
        std::string file = CResourceManager::GetInstance()->GetXmlPath(xml);
        if (file.empty())
            file = xml;
        what = SkinFilePath(file);
        if (!ReadSkinFile(file, text, kMaxLayoutBytes)) {
            m_sError = "layout " + what + " is missing or unreadable";
            platform::TraceF("ui: %s", m_sError.c_str());
            return false;
        }
    }
    pugi::xml_parse_result result = m_xml->load_buffer(text.data(), text.size());
    if (!result) {
        m_sError = "layout " + what + " is malformed: " + result.description() + " at offset " +
                   std::to_string(result.offset);
        platform::TraceF("ui: %s", m_sError.c_str());
        return false;
    }
    if (!m_xml->document_element()) {
        m_sError = "layout " + what + " has no root element";
        platform::TraceF("ui: %s", m_sError.c_str());
        return false;
    }
    m_bLoaded = true;
    return true;
}

CControlUI* CDialogBuilder::Create(const std::string& xml, const std::string& /*type*/,
                                   IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                   CControlUI* parent) {
    if (!Load(xml))
        return nullptr;
    return Create(callback, manager, parent);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                   CControlUI* parent) {
    if (!m_bLoaded)
        return nullptr;
    m_pCallback = callback;
    pugi::xml_node root = m_xml->document_element();
    if (EqualsNoCase(root.name(), "Window")) {
        if (manager != nullptr)
            ApplyWindow(root, manager);
        return Parse(root, parent, manager);
    }
    // A layout without a Window root: the root element is the control itself.
    return Parse(*m_xml, parent, manager);
}

void CDialogBuilder::ApplyWindow(const pugi::xml_node& window, CPaintManagerUI* manager) {
    for (pugi::xml_node node : window.children()) {
        const char* tag = node.name();
        if (EqualsNoCase(tag, "Font")) {
            int id = node.attribute("id").as_int(-1);
            std::string face = node.attribute("name").as_string();
            int size = node.attribute("size").as_int(12);
            bool bold = ParseBool(node.attribute("bold").as_string());
            bool underline = ParseBool(node.attribute("underline").as_string());
            bool italic = ParseBool(node.attribute("italic").as_string());
            bool shared = ParseBool(node.attribute("shared").as_string());
            if (id >= 0)
                manager->AddFont(id, face, size, bold, underline, italic, shared);
            if (ParseBool(node.attribute("default").as_string())) {
                manager->SetDefaultFont(face, size, bold, underline, italic, shared);
            }
        } else if (EqualsNoCase(tag, "Default") || EqualsNoCase(tag, "Style")) {
            AddAttributeListDefinition(node, manager);
        } else if (EqualsNoCase(tag, "Image")) {
            std::string name = node.attribute("name").as_string();
            std::string file = node.attribute("file").as_string();
            if (file.empty())
                file = node.attribute("path").as_string();
            std::string type = node.attribute("restype").as_string();
            Color mask = 0;
            ParseColor(node.attribute("mask").as_string(), mask);
            bool shared = ParseBool(node.attribute("shared").as_string());
            if (!name.empty())
                manager->AddImageDefinition(name, file, type, mask, shared);
        }
    }
    for (pugi::xml_attribute attr : window.attributes()) {
        manager->SetWindowAttribute(attr.name(), attr.value());
    }
}

CControlUI* CDialogBuilder::Parse(const pugi::xml_node& root, CControlUI* parent,
                                  CPaintManagerUI* manager) {
    IContainerUI* container =
        parent ? static_cast<IContainerUI*>(parent->GetInterface("IContainer")) : nullptr;
    CControlUI* first = nullptr;
    for (pugi::xml_node node : root.children()) {
        if (node.type() != pugi::node_element)
            continue;
        const char* tag = node.name();
        if (IsDefinitionTag(tag)) {
            // A layout without a Window root (a panel's own file) brings its styles inside
            // its controls; the Window root's definitions were taken by ApplyWindow.
            if (manager != nullptr && !EqualsNoCase(root.name(), "Window") &&
                (EqualsNoCase(tag, "Default") || EqualsNoCase(tag, "Style")))
                AddAttributeListDefinition(node, manager);
            continue;
        }
        if (EqualsNoCase(tag, "Include")) {
            std::string source = node.attribute("source").as_string();
            int count = std::max(1, node.attribute("count").as_int(1));
            if (g_includeDepth >= kMaxIncludeDepth) {
                platform::TraceF("ui: Include %s nested too deeply", source.c_str());
                continue;
            }
            ++g_includeDepth;
            for (int i = 0; i < count; ++i) {
                CDialogBuilder included;
                CControlUI* control = included.Create(source, "", m_pCallback, manager, parent);
                if (control == nullptr)
                    break;
                if (first == nullptr)
                    first = control;
            }
            --g_includeDepth;
            continue;
        }
        CControlUI* control = CControlFactory::GetInstance()->CreateControl(tag);
        if (control == nullptr && m_pCallback != nullptr)
            control = m_pCallback->CreateControl(tag);
        if (control == nullptr) {
            platform::TraceF("ui: unknown control tag %s skipped", tag);
            continue;
        }
        // Defaults of the class first, then the style the element names, then the element's
        // own attributes.
        if (manager != nullptr) {
            std::string defaults = manager->GetDefaultAttributeList(tag);
            if (!defaults.empty())
                control->ApplyAttributeList(defaults);
            const char* style = node.attribute("style").as_string();
            if (*style != '\0') {
                std::string styled = manager->GetDefaultAttributeList(style);
                if (!styled.empty())
                    control->ApplyAttributeList(styled);
                else
                    platform::TraceF("ui: %s names the unknown style %s", tag, style);
            }
        }
        for (pugi::xml_attribute attr : node.attributes()) {
            if (!EqualsNoCase(attr.name(), "style"))
                control->SetAttribute(attr.name(), attr.value());
        }
        if (node.first_child())
            Parse(node, control, manager);
        if (container != nullptr) {
            container->Add(control);
        } else if (parent != nullptr) {
            // A parent that holds no children: the control has nowhere to go.
            platform::TraceF("ui: %s cannot hold %s", parent->GetClass().c_str(), tag);
            delete control;
            continue;
        }
        if (first == nullptr) {
            first = control;
            if (parent == nullptr) {
                if (manager != nullptr)
                    manager->InitControls(control, nullptr);
                // One root: further top-level elements have no place to go.
                return first;
            }
        }
    }
    return first;
}

}  // namespace ui
