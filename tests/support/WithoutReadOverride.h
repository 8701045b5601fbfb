#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace rwtest
{

// While it lives, the calling thread cannot read past a folder's or file's
// permission bits even as the super-user (the tests run as root, who reads
// every folder): CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH leave its
// effective set and come back when it goes. For an ordinary user nothing
// changes. The walk and the listings open folders on the thread that asks,
// so a folder of mode 000 then cannot be read, as for anyone else.
class WithoutReadOverride
{
public:
    WithoutReadOverride()
    {
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_active = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutReadOverride()
    {
        if (m_active)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutReadOverride(const WithoutReadOverride&) = delete;
    WithoutReadOverride& operator=(const WithoutReadOverride&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
};

} // namespace rwtest
