// Rows of the operator's file quoted word for word, each without its TAB and
// comma. Both the carried copy and the full-size stand-in hold them.
#pragma once

#include <string_view>

namespace cdk::standin {

// "091370":{mpid:"MP200904020003_jjgq",servicecode:"CFCLUB"}
inline constexpr std::string_view kFirstBatch =
    "\"091370\":{mpid:\"MP200904020003_jjgq\",servicecode:\"CFCLUB\"}";
// "AKGUD0":{mpid:"MA20130427115620141",servicecode:"DNFHZ"}
inline constexpr std::string_view kLastBatch =
    "\"AKGUD0\":{mpid:\"MA20130427115620141\",servicecode:\"DNFHZ\"}";
// "MA20100426144252325":{desc:"百城联赛普发奖品M4A1-B",mainmpid:"MA20100426144252325",begintime:"2010-04-26 00:00:00",endtime:"2011-04-26 23:59:59",goodssets:["PID4998100426144954544"],remark:""}
inline constexpr std::string_view kFirstPackage =
    "\"MA20100426144252325\":{desc:\"\xB0\xD9\xB3\xC7\xC1\xAA\xC8\xFC\xC6\xD5\xB7\xA2\xBD\xB1\xC6\xB7M4A1-B\",mainmpid:\"MA20100426144252325\",begintime:\"2010-04-26 00:00:00\",endtime:\"2011-04-26 23:59:59\",goodssets:[\"PID4998100426144954544\"],remark:\"\"}";
// "MP200904020003_jjgq":{desc:"内部合作CDKEY(兑换仅RPK机关枪)",mainmpid:"MP200904020003",begintime:"2009-04-02 00:00:00",endtime:"2010-04-02 23:59:59",goodssets:["goodsset090408131358722"],remark:""}
inline constexpr std::string_view kSuffixedPackage =
    "\"MP200904020003_jjgq\":{desc:\"\xC4\xDA\xB2\xBF\xBA\xCF\xD7\xF7" "CDKEY(\xB6\xD2\xBB\xBB\xBD\xF6RPK\xBB\xFA\xB9\xD8\xC7\xB9)\",mainmpid:\"MP200904020003\",begintime:\"2009-04-02 00:00:00\",endtime:\"2010-04-02 23:59:59\",goodssets:[\"goodsset090408131358722\"],remark:\"\"}";
// "MP200904020003":{desc:"内部合作CDKEY",game:"1109",begintime:"2009-04-02 00:00:00",endtime:"2010-04-02 00:00:00"}
inline constexpr std::string_view kFirstActivity =
    "\"MP200904020003\":{desc:\"\xC4\xDA\xB2\xBF\xBA\xCF\xD7\xF7" "CDKEY\",game:\"1109\",begintime:\"2009-04-02 00:00:00\",endtime:\"2010-04-02 00:00:00\"}";
// "PID4998100426144954544":{desc:"",itemsinfo:[{id:"20090618102248880",num:1}]}
inline constexpr std::string_view kFirstGoodsSet =
    "\"PID4998100426144954544\":{desc:\"\",itemsinfo:[{id:\"20090618102248880\",num:1}]}";
// "PID10751100518160450198":{desc:"",itemsinfo:[{id:"1075120100518155501682",num:1},{id:"20090119170748894",num:1},{id:"20090520130741778",num:1}]}
inline constexpr std::string_view kThreeItemSet =
    "\"PID10751100518160450198\":{desc:\"\",itemsinfo:[{id:\"1075120100518155501682\",num:1},{id:\"20090119170748894\",num:1},{id:\"20090520130741778\",num:1}]}";
// "20090618102248880":{desc:"M4A1-B(7天)",game:""}
inline constexpr std::string_view kFirstItem =
    "\"20090618102248880\":{desc:\"M4A1-B(7\xCC\xEC)\",game:\"\"}";
// "1109":"cf"
inline constexpr std::string_view kGameCf =
    "\"1109\":\"cf\"";

}  // namespace cdk::standin
