#include "src/shell/Announcer.h"

namespace shell {

void announceDischargeNotice(Announcer& character) {
    character.Show();
    character.setBalloonStyle(1);
    character.MoveTo(630, 1);
    character.Play("announce");
    character.Speak("You have a discharge notice!");
    character.Speak("Double Click on the wizard.");
    character.setBalloonVisible(false);
    character.Play("idle1_1");
}

} // namespace shell
