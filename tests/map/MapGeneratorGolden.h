#pragma once

// The tiny and the sample configuration's floors at seeds 1 and 2, as drawn
// by GeneratorTest::picture. A change to the order of draws changes them.
namespace MapGeneratorGolden {

inline const char* const kTinyGolden = R"(
#########
#,,==####
#o,#=####
##=#==,,#
##=w##,,#
#==###,,#
#=####==#
#,,###==#
#,,####=#
#1,###2,#
#,,###3,#
#########
)";

inline const char* const kSampleGolden = R"(
##########################
####w###,,,,,,,###########
########,.....,#===,,o,,w#
#o,,,===,.....,#=%%,...,##
#,52,==%o.....,#===,,,,,##
#,,,,%%%,,,o,,,#=###=%%=##
#=%%%%%%%%%%%=##=###====##
#=%%%%%%%%%%%=##=######=##
#=%%%%%%%%%%%=##=####,,,,#
#=====%%%%%%==##=####,..,#
##w=%=%%%%%%=###=####,..o#
###,,,%%%%%,,,,==####,..,#
###,.,=====,..o%=##w#,..,#
###3.,#####,..,w=####,..1#
###,,,#####,,4,==####,,,,#
#####################w####
)";

}  // namespace MapGeneratorGolden
