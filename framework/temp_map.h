// Temporary wrapper objects for handles that no framework object owns
// (FromHandle on a foreign window, DC or palette); dropped when the message
// loop goes idle.
#pragma once

#include <map>
#include <memory>

template <typename Handle, typename Wrapper>
class CTempMap {
public:
    Wrapper* Lookup(Handle handle)
    {
        auto it = m_map.find(handle);
        if (it != m_map.end()) {
            // A wrapper detached since (a released DC) wraps its handle again:
            // the system hands the same handle out anew.
            it->second->AttachTemporary(handle);
            return it->second.get();
        }
        auto* wrapper = new Wrapper;
        wrapper->AttachTemporary(handle);
        m_map[handle].reset(wrapper);
        return wrapper;
    }
    void Remove(Handle handle) { m_map.erase(handle); }
    void Clear() { m_map.clear(); }

private:
    std::map<Handle, std::unique_ptr<Wrapper>> m_map;
};
