// Runs a step as another user, as a print room's users make their saves: a forked child takes the
// numeric ids (and one supplementary group) first. Only root can do that; rootReason() says why a
// test skips elsewhere.
#pragma once

#include <functional>

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qrl::test {

struct Ids {
    uid_t uid;
    gid_t gid;
};

inline const char* rootReason()
{
    return ::geteuid() == 0 ? nullptr : "taking the ids of users 1001 and 1002 needs root";
}

// Runs `step` in a child under `ids` (and `group` when not 0). The child's exit status: 0 when the
// step answered true, 1 when false, 3 when the ids could not be taken, 128 + the signal that ended
// it.
inline int runAs(Ids ids, gid_t group, const std::function<bool()>& step)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[1] = {group};
        if (::setgroups(group != 0 ? 1 : 0, groups) != 0 || ::setgid(ids.gid) != 0 || ::setuid(ids.uid) != 0)
            ::_exit(3);
        ::_exit(step() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace qrl::test
