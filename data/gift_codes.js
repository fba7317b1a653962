var MP_CDKEYID_INFO=
{
	"091370":{mpid:"MP200904020003_jjgq",servicecode:"CFCLUB"},
	"03AFA0":{mpid:"MP200906170006_vip",servicecode:"CFCLUB"},
	"095190":{mpid:"MP200909170003_bcls30",servicecode:"CFCLUB"},
	"095191":{mpid:"MP200909170003_bcls7",servicecode:"CFCLUB"},
	"104260":{mpid:"MA20100426144252325",servicecode:"DNFHZ"},
	"1005K0":{mpid:"MA20100518160201375",servicecode:"DNFHZ"},
	"109PK0":{mpid:"MA20101201164624921",servicecode:"DNFHZ"},
	"110A20":{mpid:"MA20110128103512687",servicecode:"DNFHZ"},
	"AGANX0":{mpid:"MA20120919172150754",servicecode:"DNFHZ"},
	"AHWHY0":{mpid:"MA20130110143501562",servicecode:"DNFHZ"},
	"AJAVR0":{mpid:"MA20130122142746953",servicecode:"DNFHZ"},
	"AKGUD0":{mpid:"MA20130427115620141",servicecode:"DNFHZ"}
}
var MP_MPID_INFO=
{
	"MA20100426144252325":{desc:"百城联赛普发奖品M4A1-B",mainmpid:"MA20100426144252325",begintime:"2010-04-26 00:00:00",endtime:"2011-04-26 23:59:59",goodssets:["PID4998100426144954544"],remark:""},
	"MP200904020003_jjgq":{desc:"内部合作CDKEY(兑换仅RPK机关枪)",mainmpid:"MP200904020003",begintime:"2009-04-02 00:00:00",endtime:"2010-04-02 23:59:59",goodssets:["goodsset090408131358722"],remark:""},
	"MP200906170006_vip":{desc:"14位CD-KEY迁移(兑换VIP30天)",mainmpid:"MP200906170006",begintime:"2009-06-17 00:00:00",endtime:"2010-06-17 23:59:59",goodssets:["goodsset090617101020311"],remark:""},
	"MP200909170003_bcls30":{desc:"百城联赛积分兑换M4A1-S(30天)",mainmpid:"MP200909170003",begintime:"2009-09-17 00:00:00",endtime:"2010-09-17 23:59:59",goodssets:["goodsset090917112233445","goodsset090917112301562"],remark:""},
	"MP200909170003_bcls7":{desc:"百城联赛积分兑换M4A1-S(7天)",mainmpid:"MP200909170003",begintime:"2009-09-17 00:00:00",endtime:"2010-09-17 23:59:59",goodssets:["goodsset090917112410873"],remark:""},
	"MA20100518160201375":{desc:"新手三件套(兑换3件道具)",mainmpid:"MA20100518155501024",begintime:"2010-05-18 00:00:00",endtime:"2010-08-18 23:59:59",goodssets:["PID10751100518160450198"],remark:""},
	"MA20110128103512687":{desc:"春节礼包	AK47-B,M4A1-S(3天)",mainmpid:"MA20110128103512687",begintime:"2011-01-28 00:00:00",endtime:"2011-02-28 23:59:59",goodssets:["PID4998110128103617095"],remark:""},
	"MA20130427115620141":{desc:"【QT】5月资源 _稳定强化剂*5(运营活动)",mainmpid:"MA20130427115002336",begintime:"2013-04-27 00:00:00",endtime:"2013-05-31 23:59:59",goodssets:["PID11220130427115718204"],remark:""}
}
var MP_ACT_INFO=
{
	"MP200904020003":{desc:"内部合作CDKEY",game:"1109",begintime:"2009-04-02 00:00:00",endtime:"2010-04-02 00:00:00"},
	"MA20100426144252325":{desc:"百城联赛",game:"1109",begintime:"2010-04-26 00:00:00",endtime:"2011-04-26 00:00:00"},
	"MP200906170006":{desc:"14位CD-KEY迁移",game:"1109",begintime:"0000-00-00 00:00:00",endtime:"0000-00-00 00:00:00"},
	"MP200909170003":{desc:"百城联赛积分兑换",game:"1109",begintime:"0000-00-00 00:00:00",endtime:"0000-00-00 00:00:00"},
	"MA20100518155501024":{desc:"新手礼包活动",game:"1109",begintime:"2010-05-18 00:00:00",endtime:"2010-08-18 00:00:00"},
	"MA20110128103512687":{desc:"春节礼包",game:"1109",begintime:"0000-00-00 00:00:00",endtime:"0000-00-00 00:00:00"},
	"MA20130427115002336":{desc:"QT五月资源运营活动",game:"1109",begintime:"2013-04-27 00:00:00",endtime:"2013-05-31 00:00:00"}
}
var MP_GIFT_INFO=
{
	"PID4998100426144954544":{desc:"",itemsinfo:[{id:"20090618102248880",num:1}]},
	"goodsset090408131358722":{desc:"",itemsinfo:[{id:"20090402113015233",num:1}]},
	"goodsset090617101020311":{desc:"",itemsinfo:[{id:"20090617100812456",num:30}]},
	"goodsset090917112233445":{desc:"",itemsinfo:[{id:"20090917110530128",num:1}]},
	"goodsset090917112301562":{desc:"",itemsinfo:[{id:"20090119170748894",num:5}]},
	"goodsset090917112410873":{desc:"",itemsinfo:[{id:"20090917110611740",num:1}]},
	"PID10751100518160450198":{desc:"",itemsinfo:[{id:"1075120100518155501682",num:1},{id:"20090119170748894",num:1},{id:"20090520130741778",num:1}]},
	"PID4998110128103617095":{desc:"",itemsinfo:[{id:"20090618102248880",num:3},{id:"1075120100518155501682",num:1}]},
	"PID11220130427115718204":{desc:"",itemsinfo:[{id:"112201304271150120034",num:5}]}
}
var MP_ITEM_INFO=
{
	"20090618102248880":{desc:"M4A1-B(7天)",game:""},
	"20090402113015233":{desc:"RPK机关枪(永久)",game:""},
	"20090617100812456":{desc:"VIP会员(1天)",game:""},
	"20090917110530128":{desc:"M4A1-S(30天)",game:""},
	"20090917110611740":{desc:"M4A1-S(7天)",game:""},
	"1075120100518155501682":{desc:"新手头盔(30天)",game:""},
	"20090119170748894":{desc:"闪光弹(10次)",game:""},
	"20090520130741778":{desc:"烟雾弹(10次)",game:""},
	"112201304271150120034":{desc:"稳定强化剂",game:"1109"}
}
var MP_GMAE_INFO=
{
	"1109":"cf",
	"1105":"dnf",
	"2011":"逆战"
}