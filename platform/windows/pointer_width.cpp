// Prints its pointer width ("32-bit", "64-bit"): run under Wine at configure time, it
// shows whether this machine executes the build's programs at all.
#include <cstdio>

int main()
{
    std::printf("%d-bit\n", int(sizeof(void *) * 8));
    return 0;
}
