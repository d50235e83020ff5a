#pragma once
// A headless window holding a device page with the profile panel, built from the real skin
// through the program's panel tag; a device that records what the handlers ask of it; a
// host that answers from a script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/PanelTags.h"
#include "devices/OrvaneUSBDevice.h"
#include "panels/PanelHost.h"
#include "panels/profiles/DeviceProfileUI.h"
#include "profile/JsonFile.h"
#include "ui/controls/ComboUI.h"
#include "ui/controls/EditUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/MessageModel.h"
#include "ui/core/PaintManager.h"
#include "ui/core/WindowImplBase.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/skin/ResourceManager.h"

namespace profiles_ui {

// Records every device operation the profile handlers use.
class RecordingDevice : public devices::COrvaneUSBDevice {
  public:
    std::vector<std::string> calls;
    int macroResult = 0;
    std::vector<int> usedMacros;
    std::string loadedBaseName;  // profileBaseName at the last LoadProfile

    int LoadProfile() override {
        calls.push_back("LoadProfile");
        loadedBaseName = GetProfileBaseName();
        return 1;
    }
    bool ValidateMacroReferences() override {
        calls.push_back("ValidateMacroReferences");
        return false;
    }
    void RefreshPanel() override { calls.push_back("RefreshPanel"); }
    int WriteSettings(int profile, int first, int flag, int e1, int e2) override {
        calls.push_back("WriteSettings(" + std::to_string(profile) + "," + std::to_string(first) +
                        "," + std::to_string(flag) + "," + std::to_string(e1) + "," +
                        std::to_string(e2) + ")");
        return 1;
    }
    std::vector<int> GetUsedMacroIndices() override {
        calls.push_back("GetUsedMacroIndices");
        return usedMacros;
    }
    int WriteMacros(const std::vector<int>& indices) override {
        calls.push_back("WriteMacros(" + std::to_string(indices.size()) + ")");
        return macroResult;
    }
    int WriteCurrentKeyAssignments(int profile) override {
        calls.push_back("WriteCurrentKeyAssignments(" + std::to_string(profile) + ")");
        return 1;
    }
    void ResetToDefaultData() override { calls.push_back("ResetToDefaultData"); }
};

// Answers confirmations and file dialogs from a script; records what was shown.
class ScriptedHost : public panels::IPanelHost {
  public:
    std::deque<bool> confirmAnswers;  // empty: accept
    std::deque<std::string> fileAnswers;
    std::vector<std::string> confirmed, shownKeys, shownTexts, dialogTitles, dialogFilters,
        suggestedNames;

    bool Confirm(const std::string& key) override {
        confirmed.push_back(key);
        if (confirmAnswers.empty())
            return true;
        const bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }
    void ShowKey(const std::string& key) override { shownKeys.push_back(key); }
    void ShowText(const std::string& text) override { shownTexts.push_back(text); }
    std::string LanguageText(const std::string& key) override {
        return ui::CResourceManager::GetInstance()->GetText(key);
    }
    std::optional<uint32_t> PickColour(uint32_t) override { return std::nullopt; }
    std::string OpenFileDialog(const std::string& title,
                               const std::vector<std::string>& filters) override {
        return Answer(title, filters, "");
    }
    std::string SaveFileDialog(const std::string& title, const std::vector<std::string>& filters,
                               const std::string& fileName) override {
        return Answer(title, filters, fileName);
    }
    void OpenContextMenu(const std::string&) override {}
    void SetSavedState(bool, int saved) override { savedState = saved; }
    int savedState = 1;
    void RestartItemTimer(devices::COrvaneUSBDevice&, int, uint32_t) override {}

  private:
    std::string Answer(const std::string& title, const std::vector<std::string>& filters,
                       const std::string& name) {
        dialogTitles.push_back(title);
        for (const std::string& f : filters)
            dialogFilters.push_back(f);
        suggestedNames.push_back(name);
        if (fileAnswers.empty())
            return {};
        std::string answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

class PageWindow : public ui::WindowImplBase {
  public:
    RecordingDevice* device = nullptr;
    std::vector<std::string> notified;  // "type:sender"

    void Notify(ui::TNotifyUI& msg) override {
        notified.push_back(msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : ""));
        WindowImplBase::Notify(msg);
    }
    ui::CControlUI* CreateControl(const std::string& tag) override {
        if (tag == "RecordingDevice")
            return device = new RecordingDevice;
        return app::CreatePanelControl(tag, this, m_pm);
    }

  protected:
    std::string GetWindowClassName() const override { return "ProfilePanelTest"; }
    std::string GetSkinFile() override {
        return R"(<Window size="560,200"><VerticalLayout>
                    <RecordingDevice name="mouse_device_page"><VerticalLayout>
                      <DeviceProfile name="DeviceProfileItem" height="88"><DeviceProfileUI/></DeviceProfile>
                    </VerticalLayout></RecordingDevice>
                  </VerticalLayout></Window>)";
    }
};

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        root = std::filesystem::temp_directory_path() /
               ("t418-profiles-ui-" + std::to_string(random()));
        std::filesystem::create_directories(root / "data");
        ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
        Json::Value document(Json::objectValue);
        document["Device"][0]["DPIStages"]["StageActive"] = 1;
        profile::WriteJsonFile(DefaultDocument(), document);

        backend.Install();
        ui::CPaintManagerUI::SetResourcePath(std::string(T418_RESOURCES_DIR) + "/skin/");
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadResource("res.xml"));
        ASSERT_TRUE(ui::CResourceManager::GetInstance()->LoadLanguage("lan_en.xml"));
        window = new PageWindow;
        ASSERT_NE(window->Create(nullptr, "page", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 0, 560, 200),
                  nullptr);
        backend.ProcessPending();
        window->GetPaintManager()->UpdateLayout();
        ASSERT_NE(window->device, nullptr);
        device().SetDataFolderName("mouse");
        panel = dynamic_cast<panels::CDeviceProfileUI*>(
            window->GetPaintManager()->FindControl(devices::kProfilePanelName));
        ASSERT_NE(panel, nullptr);
    }
    void TearDown() override {
        if (window != nullptr && ui::IsWindow(window->GetHWND()))
            ui::DestroyWindow(window->GetHWND());
        delete window;
        backend.ProcessPending();
        ui::CResourceManager::GetInstance()->Release();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }

    // As the device binds its page.
    void Bind(int kind = 2) {
        panel->SetKind(kind);
        panel->SetFolders(device().GetUserDataFolder(), DefaultDocument());
        panel->LoadList();
        device().SetProfileBaseName(panel->GetCurrentProfileBaseName());
        window->notified.clear();
        device().calls.clear();
    }
    std::string DefaultDocument() const { return (root / "mouse.Json").string(); }
    std::string UserFolder() { return device().GetUserDataFolder(); }
    RecordingDevice& device() { return *window->device; }
    template <typename T>
    T* Get(const std::string& name) {
        return dynamic_cast<T*>(window->GetPaintManager()->FindControl(name));
    }
    ui::CComboUI* Combo() { return Get<ui::CComboUI>("device_profile_combo"); }
    std::vector<std::string> ComboTexts() {
        std::vector<std::string> texts;
        for (int i = 0; i < Combo()->GetCount(); ++i)
            texts.push_back(Combo()->GetItemAt(i)->GetText());
        return texts;
    }
    // The profile chosen in the combo as the user does it (the combo raises "itemselect").
    void Choose(int index) { Combo()->SelectItem(index, false, true); }

    std::filesystem::path root;
    ui::headless::HeadlessBackend backend;
    PageWindow* window = nullptr;
    panels::CDeviceProfileUI* panel = nullptr;
};

}  // namespace profiles_ui
