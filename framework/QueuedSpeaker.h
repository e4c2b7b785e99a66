// What both engines keep between the caller's thread and their speech thread: the one
// utterance waiting, a request to stop or to get a voice ready, the cut of what is being
// said, and the trouble told once. The engine's Run() serves them on the worker.
#pragma once

#include "framework/Speaker.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

template <typename Utterance>
class QueuedSpeaker : public Speaker
{
public:
    void Stop() override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_next.reset();
            m_bStopAsked = true;
            m_bCut = true;
        }
        m_wake.notify_one();
    }

    void Prepare(SpeechAccent accent) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_prepare = accent;
            StartWorker();
        }
        m_wake.notify_one();
    }

    void SetTroubleHandler(std::function<void(const std::string&)> fnTrouble) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_fnTrouble = std::move(fnTrouble);
    }

protected:
    // The worker's loop; returns once m_bQuit is set.
    virtual void Run() = 0;

    // Replaces what waits and cuts what is being said.
    void Queue(Utterance utterance)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_next = std::move(utterance);
            m_bCut = true;
            StartWorker();
        }
        m_wake.notify_one();
    }

    // From the engine's destructor, while its members still live.
    void EndWorker()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bQuit = true;
            m_bCut = true;
        }
        m_wake.notify_one();
        if (m_worker.joinable())
            m_worker.join();
    }

    // Once in a speaker's life: the status bar need not hear it again.
    void Tell(const std::string& strTrouble)
    {
        std::function<void(const std::string&)> fnTrouble;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bTroubleTold)
                return;
            m_bTroubleTold = true;
            fnTrouble = m_fnTrouble;
        }
        if (fnTrouble)
            fnTrouble(strTrouble);
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Utterance> m_next;
    bool m_bStopAsked = false;
    std::optional<SpeechAccent> m_prepare;
    bool m_bQuit = false;
    std::atomic<bool> m_bCut{false};

private:
    // Under m_mutex.
    void StartWorker()
    {
        if (!m_worker.joinable())
            m_worker = std::thread([this] { Run(); });
    }

    bool m_bTroubleTold = false;
    std::function<void(const std::string&)> m_fnTrouble;
    std::thread m_worker;
};
