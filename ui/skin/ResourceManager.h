#pragma once
// CResourceManager: the skin's resource index ("res.xml": which file each layout and image
// name stands for) and the language texts that resource-text controls show.
//
// res.xml:   <Res> <Xml name="XML_MAIN" path="main.xml"/> <Image name="logo" path="a.png"/> </Res>
// language:  <Language> <Text id="key" value="translated text"/> ... </Language>
//            (the text may also be the element's content; "key" is accepted for "id").
#include <map>
#include <string>
#include <vector>

#include "ui/core/StringUtil.h"

namespace ui {

// Answers the text of a resource-text control when the language file has no entry for it.
class IQueryControlText {
  public:
    virtual ~IQueryControlText() = default;
    // type: the asking control's class name. Empty answer: the key is shown as it is.
    virtual std::string QueryControlText(const std::string& key, const std::string& type) = 0;
};

// Told when the language texts change, so that it can lay out and repaint them (every paint
// manager is one).
class ITextObserver {
  public:
    virtual void OnTextsReloaded() = 0;

  protected:
    ~ITextObserver() = default;
};

class CResourceManager {
  public:
    static CResourceManager* GetInstance();

    // Reads the resource index: a file name relative to the resource path, or XML text.
    // False (and a trace line) when it is missing or malformed.
    bool LoadResource(const std::string& xml, const std::string& type = "");
    // File of a layout name ("XML_MAIN"), empty when the index does not name it.
    std::string GetXmlPath(const std::string& name) const;
    std::string GetImagePath(const std::string& name) const;

    // Loads id -> text pairs (replacing those of the same id). A file name relative to the
    // resource path, or XML text. False (and a trace line) when missing or malformed.
    bool LoadLanguage(const std::string& xml);
    void SetLanguage(const std::string& name) { m_sLanguage = name; }
    const std::string& GetLanguage() const { return m_sLanguage; }
    void SetTextQueryInterface(IQueryControlText* query) { m_pQuery = query; }
    // The translation of a key: the language's text, else the query interface's answer, else
    // the key itself. type is the asking control's class.
    std::string GetText(const std::string& key, const std::string& type = "") const;
    bool HasText(const std::string& key) const { return m_texts.count(key) != 0; }
    void ClearLanguage() { m_texts.clear(); }
    // Shows the current translations: every observer lays out and repaints its texts.
    void ReloadText();
    void AddTextObserver(ITextObserver* observer);
    void RemoveTextObserver(ITextObserver* observer);

    // The skin folder that relative skin file names start from ('/'-terminated).
    static void SetResourcePath(const std::string& path);
    static const std::string& GetResourcePath();
    // Forgets everything (index, texts, query interface).
    void Release();

  private:
    std::map<std::string, std::string, NoCaseLess> m_xmls;
    std::map<std::string, std::string, NoCaseLess> m_images;
    std::map<std::string, std::string> m_texts;
    std::string m_sLanguage;
    IQueryControlText* m_pQuery = nullptr;
    std::vector<ITextObserver*> m_observers;
};

// Reads a skin file named relative to the resource path (absolute names as they stand);
// '\' separators are accepted. False when missing or larger than maxBytes.
bool ReadSkinFile(const std::string& name, std::string& out, size_t maxBytes = 16u << 20);
std::string SkinFilePath(const std::string& name);

}  // namespace ui
