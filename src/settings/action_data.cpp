#include "settings/action_data.h"

#include "settings/chord.h"

#include <memory>

CActionData::CActionData(const CActionData& other) = default;

CActionData& CActionData::operator=(const CActionData& other) = default;

CActionData::~CActionData() = default;

CActionData* CActionData::NewAction(int action) {
    auto* data = new CActionData();
    data->m_Action = static_cast<_ACTIONS>(action);
    return data;
}

CActionData* CActionData::CustomAction(int action, const Char* keys, int keystrokesWaitHoldTime,
                                       int keyAction, int keyRepeat, bool active, bool blockMouse,
                                       bool randomiseDelay, const Char* application,
                                       CVESKChords* chords) {
    std::unique_ptr<CActionData> data(NewAction(action));
    data->m_Keys.Assign(keys);
    data->m_Application.Assign(application);
    data->m_nKeystrokesWaitHoldTime = keystrokesWaitHoldTime;
    data->m_nKeyAction = keyAction;
    data->m_nKeyRepeat = keyRepeat;
    data->m_bActive = active;
    data->m_bBlockMouse = blockMouse;
    data->m_bRandomiseDelay = randomiseDelay;
    data->m_pChords = chords;
    return data.release();
}

CActionData* CActionData::KeyAction(const Char* keys, int keystrokesWaitHoldTime, int keyAction,
                                    int keyRepeat, bool active, bool blockMouse,
                                    bool randomiseDelay) {
    return CustomAction(actSimulatedKeys, keys, keystrokesWaitHoldTime, keyAction, keyRepeat,
                        active, blockMouse, randomiseDelay, nullptr, nullptr);
}

CActionData* CActionData::ChordedAction(CVESKChords& chords) {
    std::unique_ptr<CActionData> data(NewAction(actButtonChording));
    data->m_pChords = new CVESKChords(chords);
    return data.release();
}

CActionData* CActionData::AppAction(const Char* path) {
    std::unique_ptr<CActionData> data(NewAction(actRunApplication));
    data->m_Application.Assign(path);
    return data.release();
}

CActionData* CActionData::OpenFolderAction(const Char* folder) {
    std::unique_ptr<CActionData> data(NewAction(actOpenExplorerAtFolder));
    data->m_Application.Assign(folder);
    return data.release();
}
