#include "ui/skin/ResourceManager.h"

#include <algorithm>

#include <pugixml.hpp>

#include "platform/FileIO.h"
#include "platform/Trace.h"

namespace ui {
namespace {

bool LooksLikeXmlText(const std::string& s) {
    size_t i = s.find_first_not_of(" \t\r\n");
    return i != std::string::npos && s[i] == '<';
}

// Loads XML from text or a skin file; traces what went wrong.
bool LoadXml(const std::string& xml, pugi::xml_document& doc, const char* what) {
    std::string text;
    if (LooksLikeXmlText(xml)) {
        text = xml;
    } else if (!ReadSkinFile(xml, text)) {
        platform::TraceF("ui: %s file %s is missing", what, SkinFilePath(xml).c_str());
        return false;
    }
    pugi::xml_parse_result result = doc.load_buffer(text.data(), text.size());
    if (!result) {
        platform::TraceF("ui: %s %s is malformed: %s at offset %td", what,
                         LooksLikeXmlText(xml) ? "text" : xml.c_str(), result.description(),
                         result.offset);
        return false;
    }
    return true;
}

}  // namespace

std::string SkinFilePath(const std::string& name) {
    std::string path = NormalizePath(name);
    if (IsAbsolutePath(path))
        return path;
    return CResourceManager::GetResourcePath() + path;
}

bool ReadSkinFile(const std::string& name, std::string& out, size_t maxBytes) {
    return platform::ReadWholeFile(SkinFilePath(name), out, maxBytes);
}

CResourceManager* CResourceManager::GetInstance() {
    static CResourceManager instance;
    return &instance;
}

bool CResourceManager::LoadResource(const std::string& xml, const std::string& /*type*/) {
    pugi::xml_document doc;
    if (!LoadXml(xml, doc, "resource index"))
        return false;
    for (pugi::xml_node node : doc.document_element().children()) {
        std::string name = node.attribute("name").as_string();
        std::string path = node.attribute("path").as_string();
        if (name.empty())
            continue;
        if (EqualsNoCase(node.name(), "Xml")) {
            m_xmls[name] = path;
        } else if (EqualsNoCase(node.name(), "Image")) {
            m_images[name] = path;
        }
    }
    return true;
}

std::string CResourceManager::GetXmlPath(const std::string& name) const {
    auto it = m_xmls.find(name);
    return it == m_xmls.end() ? std::string() : it->second;
}

std::string CResourceManager::GetImagePath(const std::string& name) const {
    auto it = m_images.find(name);
    return it == m_images.end() ? std::string() : it->second;
}

bool CResourceManager::LoadLanguage(const std::string& xml) {
    pugi::xml_document doc;
    if (!LoadXml(xml, doc, "language"))
        return false;
    for (pugi::xml_node node : doc.document_element().children()) {
        if (node.type() != pugi::node_element)
            continue;
        pugi::xml_attribute id = node.attribute("id");
        if (!id)
            id = node.attribute("key");
        if (!id || std::string(id.as_string()).empty())
            continue;
        pugi::xml_attribute value = node.attribute("value");
        m_texts[id.as_string()] = value ? value.as_string() : node.text().as_string();
    }
    return true;
}

std::string CResourceManager::GetText(const std::string& key, const std::string& type) const {
    auto it = m_texts.find(key);
    if (it != m_texts.end())
        return it->second;
    if (m_pQuery != nullptr) {
        std::string answer = m_pQuery->QueryControlText(key, type);
        if (!answer.empty())
            return answer;
    }
    return key;
}

void CResourceManager::ReloadText() {
    // A copy: an observer may go while others are told.
    std::vector<ITextObserver*> observers = m_observers;
    for (ITextObserver* observer : observers) {
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end())
            observer->OnTextsReloaded();
    }
}

void CResourceManager::AddTextObserver(ITextObserver* observer) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CResourceManager::RemoveTextObserver(ITextObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

namespace {
std::string& ResourcePath() {
    static std::string path;
    return path;
}
}  // namespace

void CResourceManager::SetResourcePath(const std::string& path) {
    std::string& stored = ResourcePath();
    stored = NormalizePath(path);
    if (!stored.empty() && stored.back() != '/')
        stored += '/';
}

const std::string& CResourceManager::GetResourcePath() {
    return ResourcePath();
}

void CResourceManager::Release() {
    m_xmls.clear();
    m_images.clear();
    m_texts.clear();
    m_sLanguage.clear();
    m_pQuery = nullptr;
}

}  // namespace ui
