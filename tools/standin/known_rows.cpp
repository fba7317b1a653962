#include "tools/standin/known_rows.h"

// Texts are GBK bytes; the comment beside each gives it in readable form.
namespace cdk::standin {
namespace {

// Package descriptions that answers refer to.
const Bytes kJjgqDesc =  // 内部合作CDKEY(兑换仅RPK机关枪)
    "\xC4\xDA\xB2\xBF\xBA\xCF\xD7\xF7" "CDKEY(\xB6\xD2\xBB\xBB\xBD\xF6RPK\xBB\xFA\xB9\xD8\xC7\xB9)";
const Bytes kVipDesc =  // 14位CD-KEY迁移(兑换VIP30天)
    "14\xCE\xBB" "CD-KEY\xC7\xA8\xD2\xC6(\xB6\xD2\xBB\xBBVIP30\xCC\xEC)";
const Bytes kBcls30Desc =  // 百城联赛积分兑换M4A1-S(30天)
    "\xB0\xD9\xB3\xC7\xC1\xAA\xC8\xFC\xBB\xFD\xB7\xD6\xB6\xD2\xBB\xBBM4A1-S(30\xCC\xEC)";
const Bytes kQtDesc =  // 【QT】5月资源 _稳定强化剂*5(运营活动)
    "\xA1\xBEQT\xA1\xBF" "5\xD4\xC2\xD7\xCA\xD4\xB4 _\xCE\xC8\xB6\xA8\xC7\xBF\xBB\xAF\xBC\xC1*5(\xD4\xCB\xD3\xAA\xBB\xEE\xB6\xAF)";

}  // namespace

Tables KnownRows() {
  Tables t;
  t.batches = {
      {"091370", "MP200904020003_jjgq", "CFCLUB"},
      {"03AFA0", "MP200906170006_vip", "CFCLUB"},
      {"095190", "MP200909170003_bcls30", "CFCLUB"},
      {"095191", "MP200909170003_bcls7", "CFCLUB"},
      {"104260", "MA20100426144252325", "DNFHZ"},
      {"1005K0", "MA20100518160201375", "DNFHZ"},
      {"109PK0", "MA20101201164624921", "DNFHZ"},
      {"110A20", "MA20110128103512687", "DNFHZ"},
      {"AGANX0", "MA20120919172150754", "DNFHZ"},
      {"AHWHY0", "MA20130110143501562", "DNFHZ"},
      {"AJAVR0", "MA20130122142746953", "DNFHZ"},
      {"AKGUD0", "MA20130427115620141", "DNFHZ"},
  };
  t.packages = {
      {"MA20100426144252325",
       // 百城联赛普发奖品M4A1-B
       "\xB0\xD9\xB3\xC7\xC1\xAA\xC8\xFC\xC6\xD5\xB7\xA2\xBD\xB1\xC6\xB7M4A1-B",
       "MA20100426144252325", "2010-04-26 00:00:00", "2011-04-26 23:59:59",
       {"PID4998100426144954544"}},
      {"MP200904020003_jjgq", kJjgqDesc, "MP200904020003", "2009-04-02 00:00:00",
       "2010-04-02 23:59:59", {"goodsset090408131358722"}},
      {"MP200906170006_vip", kVipDesc, "MP200906170006", "2009-06-17 00:00:00",
       "2010-06-17 23:59:59", {"goodsset090617101020311"}},
      {"MP200909170003_bcls30", kBcls30Desc, "MP200909170003", "2009-09-17 00:00:00",
       "2010-09-17 23:59:59", {"goodsset090917112233445", "goodsset090917112301562"}},
      {"MP200909170003_bcls7",
       // 百城联赛积分兑换M4A1-S(7天)
       "\xB0\xD9\xB3\xC7\xC1\xAA\xC8\xFC\xBB\xFD\xB7\xD6\xB6\xD2\xBB\xBBM4A1-S(7\xCC\xEC)",
       "MP200909170003", "2009-09-17 00:00:00", "2010-09-17 23:59:59",
       {"goodsset090917112410873"}},
      {"MA20100518160201375",
       // 新手三件套(兑换3件道具)
       "\xD0\xC2\xCA\xD6\xC8\xFD\xBC\xFE\xCC\xD7(\xB6\xD2\xBB\xBB" "3\xBC\xFE\xB5\xC0\xBE\xDF)",
       "MA20100518155501024", "2010-05-18 00:00:00", "2010-08-18 23:59:59",
       {"PID10751100518160450198"}},
      {"MA20110128103512687",
       // 春节礼包<TAB>AK47-B,M4A1-S(3天)
       "\xB4\xBA\xBD\xDA\xC0\xF1\xB0\xFC\tAK47-B,M4A1-S(3\xCC\xEC)",
       "MA20110128103512687", "2011-01-28 00:00:00", "2011-02-28 23:59:59",
       {"PID4998110128103617095"}},
      {"MA20130427115620141", kQtDesc, "MA20130427115002336", "2013-04-27 00:00:00",
       "2013-05-31 23:59:59", {"PID11220130427115718204"}},
  };
  t.activities = {
      {"MP200904020003",
       "\xC4\xDA\xB2\xBF\xBA\xCF\xD7\xF7" "CDKEY",  // 内部合作CDKEY
       "1109", "2009-04-02 00:00:00", "2010-04-02 00:00:00"},
      {"MA20100426144252325",
       "\xB0\xD9\xB3\xC7\xC1\xAA\xC8\xFC",  // 百城联赛
       "1109", "2010-04-26 00:00:00", "2011-04-26 00:00:00"},
      {"MP200906170006",
       "14\xCE\xBB" "CD-KEY\xC7\xA8\xD2\xC6",  // 14位CD-KEY迁移
       "1109", "0000-00-00 00:00:00", "0000-00-00 00:00:00"},
      {"MP200909170003",
       "\xB0\xD9\xB3\xC7\xC1\xAA\xC8\xFC\xBB\xFD\xB7\xD6\xB6\xD2\xBB\xBB",  // 百城联赛积分兑换
       "1109", "0000-00-00 00:00:00", "0000-00-00 00:00:00"},
      {"MA20100518155501024",
       "\xD0\xC2\xCA\xD6\xC0\xF1\xB0\xFC\xBB\xEE\xB6\xAF",  // 新手礼包活动
       "1109", "2010-05-18 00:00:00", "2010-08-18 00:00:00"},
      {"MA20110128103512687",
       "\xB4\xBA\xBD\xDA\xC0\xF1\xB0\xFC",  // 春节礼包
       "1109", "0000-00-00 00:00:00", "0000-00-00 00:00:00"},
      {"MA20130427115002336",
       "QT\xCE\xE5\xD4\xC2\xD7\xCA\xD4\xB4\xD4\xCB\xD3\xAA\xBB\xEE\xB6\xAF",  // QT五月资源运营活动
       "1109", "2013-04-27 00:00:00", "2013-05-31 00:00:00"},
  };
  t.goods_sets = {
      {"PID4998100426144954544", {{"20090618102248880", 1}}},
      {"goodsset090408131358722", {{"20090402113015233", 1}}},
      {"goodsset090617101020311", {{"20090617100812456", 30}}},
      {"goodsset090917112233445", {{"20090917110530128", 1}}},
      {"goodsset090917112301562", {{"20090119170748894", 5}}},
      {"goodsset090917112410873", {{"20090917110611740", 1}}},
      {"PID10751100518160450198",
       {{"1075120100518155501682", 1}, {"20090119170748894", 1}, {"20090520130741778", 1}}},
      {"PID4998110128103617095", {{"20090618102248880", 3}, {"1075120100518155501682", 1}}},
      {"PID11220130427115718204", {{"112201304271150120034", 5}}},
  };
  t.items = {
      {"20090618102248880", "M4A1-B(7\xCC\xEC)", ""},                              // M4A1-B(7天)
      {"20090402113015233", "RPK\xBB\xFA\xB9\xD8\xC7\xB9(\xD3\xC0\xBE\xC3)", ""},  // RPK机关枪(永久)
      {"20090617100812456", "VIP\xBB\xE1\xD4\xB1(1\xCC\xEC)", ""},                 // VIP会员(1天)
      {"20090917110530128", "M4A1-S(30\xCC\xEC)", ""},                             // M4A1-S(30天)
      {"20090917110611740", "M4A1-S(7\xCC\xEC)", ""},                              // M4A1-S(7天)
      {"1075120100518155501682", "\xD0\xC2\xCA\xD6\xCD\xB7\xBF\xF8(30\xCC\xEC)", ""},  // 新手头盔(30天)
      {"20090119170748894", "\xC9\xC1\xB9\xE2\xB5\xAF(10\xB4\xCE)", ""},           // 闪光弹(10次)
      {"20090520130741778", "\xD1\xCC\xCE\xED\xB5\xAF(10\xB4\xCE)", ""},           // 烟雾弹(10次)
      {"112201304271150120034", "\xCE\xC8\xB6\xA8\xC7\xBF\xBB\xAF\xBC\xC1", "1109"},  // 稳定强化剂
  };
  t.games = {
      {"1109", "cf"},
      {"1105", "dnf"},
      {"2011", "\xC4\xE6\xD5\xBD"},  // 逆战
  };
  return t;
}

std::vector<KnownAnswer> KnownAnswers() {
  const Bytes kQtPackage = "MA20130427115620141";
  return {
      {"", "MP200904020003_jjgq", kJjgqDesc},
      {"7", "MP200904020003_jjgq", kJjgqDesc},
      {"A", "MP200906170006_vip", kVipDesc},
      {"a", "MP200906170006_vip", kVipDesc},
      {"AKGUD", kQtPackage, kQtDesc},
      {"akgud", kQtPackage, kQtDesc},
      {"aKgUd-1234", kQtPackage, kQtDesc},
      {"KGUD", kQtPackage, kQtDesc},
      {"AKG", "", ""},
      {"095191", "MP200909170003_bcls30", kBcls30Desc},
      {"095190", "MP200909170003_bcls30", kBcls30Desc},
      {"109PK", "MA20101201164624921", ""},
      {"AGANX", "MA20120919172150754", ""},
      {"AHWHY", "MA20130110143501562", ""},
      {"AJAVR", "MA20130122142746953", ""},
      {"ZZZZZ", "", ""},
      {" AKGUD", "", ""},
      {"\xB0\xD9\xB3\xC7\xC1\xAA", "", ""},  // 百城联 (Chinese characters only)
      {"AKGU\xB0\xD9", "", ""},              // fifth byte is a lead byte
  };
}

std::vector<BatchRow> UnresolvedBatches() {
  return {{"109PK0", "MA20101201164624921", "DNFHZ"},
          {"AGANX0", "MA20120919172150754", "DNFHZ"},
          {"AHWHY0", "MA20130110143501562", "DNFHZ"},
          {"AJAVR0", "MA20130122142746953", "DNFHZ"}};
}

}  // namespace cdk::standin
