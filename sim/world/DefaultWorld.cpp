#include "sim/world/DefaultWorld.h"

#include "sim/world/WorldFile.h"

namespace sim {

std::string_view DefaultWorldText()
{
    return R"([World]
Tuners=N71,N72A,N72B,U31
Site=50.0,10.0
Sky=Transponders

[Tuner.N71]
Name=Kavro N71 DVBS/S2 Tuner
Kind=pcie
Cable=Home

[Tuner.N72A]
Name=Kavro N72 DVBS/S2 Tuner A
Kind=pcie
Cable=Home

[Tuner.N72B]
Name=Kavro N72 DVBS/S2 Tuner B
Kind=pcie
Cable=Home

[Tuner.U31]
Name=Kavro U31 DVBS2 Tuner
Kind=usb
Cable=Home

[Cable.Home]
Lnb=9750,10600,11700
PortA=sat 0192
PortB=sat 0130
PortC=motor
PortD=none
Default=A
MotorAngle=0.0
MotorSpeed=1.5
MotorStep=0.1
MotorActsOnRepeat=0
)";
}

World DefaultWorld() { return ParseWorldText(DefaultWorldText()); }

} // namespace sim
