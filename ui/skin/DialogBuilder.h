#pragma once
// CDialogBuilder: builds a control tree from an XML layout (skin file, res.xml name or XML
// text). Tags name controls (the factory's tables, then the callback); attributes go to
// SetAttribute after the control class's Default list; "Window" roots configure the paint
// manager and hold Font, Default and Image definitions; "Include" inserts another layout.
// A missing or malformed layout gives nullptr and a trace line.
#include <memory>
#include <string>

#include "ui/core/UIDefs.h"

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace ui {

class CControlUI;
class CPaintManagerUI;

class IDialogBuilderCallback {
  public:
    virtual ~IDialogBuilderCallback() = default;
    // A control for a tag the factory does not know; nullptr: the tag is skipped.
    virtual CControlUI* CreateControl(const std::string& pstrClass) = 0;
};

class CDialogBuilder {
  public:
    CDialogBuilder();
    ~CDialogBuilder();

    // xml: XML text (starts with '<'), a res.xml layout name, or a file relative to the
    // resource path. The tree is owned by the caller (or by parent when one is given: the
    // built controls are added to it and the first is returned).
    CControlUI* Create(const std::string& xml, const std::string& type = "",
                       IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    // Builds again from what the last Create loaded.
    CControlUI* Create(IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
    bool IsLoaded() const { return m_bLoaded; }
    // What went wrong in the last Create (empty when it worked).
    const std::string& GetLastErrorMessage() const { return m_sError; }

  private:
    bool Load(const std::string& xml);
    CControlUI* Parse(const pugi::xml_node& root, CControlUI* parent, CPaintManagerUI* manager);
    void ApplyWindow(const pugi::xml_node& window, CPaintManagerUI* manager);

    std::unique_ptr<pugi::xml_document> m_xml;
    IDialogBuilderCallback* m_pCallback = nullptr;
    bool m_bLoaded = false;
    std::string m_sError;
};

}  // namespace ui
