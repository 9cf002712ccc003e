#include "acupointtable.h"

// Each line: code, where the point is found, and the place on the model.
// Bilateral points are placed on the person's right side. Abbreviations:
// ICS intercostal space; "cun lateral" is measured from the midline.

std::vector<acupointSpot> placeAcupoints(const acupointPlacer &p)
{
    const auto x = [&p](double cun) { return p.lateral(cun); };
    const auto ics = [&p](int space) { return p.intercostal(space); };
    const double notch = p.intercostal(0) + p.chestCunDown();   // suprasternal notch
    const auto below = [&p](double cun) { return p.belowNavel(cun); };
    const auto aboveN = [&p](double cun) { return p.aboveNavel(cun); };
    const auto T = [&p](int n) { return p.spine(7 + n); };       // below the nth thoracic spinous process
    const auto L = [&p](int n) { return p.spine(19 + n); };      // below the nth lumbar spinous process
    const auto S = [&p](int n) { return p.spine(24 + n); };      // level of the nth sacral foramen
    const auto fold = [&p](double cun) { return p.armBelowFold(cun); };
    const auto elbow = [&p](double cun) { return p.armAboveElbow(cun); };
    const auto wrist = [&p](double cun) { return p.armAboveWrist(cun); };
    const double patellaTop = 51.5, kneeCrease = 47.0, tibiaCondyle = 43.5;
    const double stomachKnee = 45.8;                           // ST35, below the kneecap
    const double outerAnkle = 7.5, innerAnkle = 7.4;           // tips of the malleoli
    const auto thigh = [&p](double cun) { return cun * p.thighCun(); };
    const auto shank = [&p](double cun) { return cun * p.shankCun(); };
    const auto innerShank = [&p](double cun) { return cun * p.innerShankCun(); };
    const double gluteal = 79.0;                               // gluteal fold

    // Temple points follow the hairline from ST8 down to GB7.
    const vec3 st8 = p.scalp(0.5, 4.5);
    const vec3 gb7 = p.head(80, 17);

    return {
        // Lung (LU): from the chest below the clavicle, down the radial side
        // of the inner arm, to the thumb.
        {"LU1", p.front(x(6), ics(1))},                      // 中府 1st ICS, 6 cun lateral
        {"LU2", p.front(x(6), notch - 3.0)},                 // 云门 infraclavicular fossa
        {"LU3", p.arm(fold(3), 55)},                         // 天府 3 cun below the axillary fold, radial to biceps
        {"LU4", p.arm(fold(4), 55)},                         // 侠白 4 cun below the fold
        {"LU5", p.arm(1.0, 30)},                             // 尺泽 elbow crease, radial to the biceps tendon
        {"LU6", p.arm(wrist(7), 40)},                        // 孔最 7 cun above the wrist crease
        {"LU7", p.arm(wrist(1.5), 80)},                      // 列缺 1.5 cun above the wrist, radial border
        {"LU8", p.arm(wrist(1), 55)},                        // 经渠 1 cun above the wrist, radial artery
        {"LU9", p.arm(wrist(0.05), 45)},                     // 太渊 wrist crease, radial side
        {"LU10", p.finger(0, 0.55, 40)},                     // 鱼际 middle of the 1st metacarpal, thenar edge
        {"LU11", p.finger(0, 2.85, 115)},                    // 少商 radial corner of the thumbnail

        // Large intestine (LI): from the index finger up the radial back of
        // the arm, over the shoulder and neck, to beside the nose.
        {"LI1", p.finger(1, 2.85, 115)},                     // 商阳 radial corner of the index fingernail
        {"LI2", p.finger(1, 0.3, 95)},                       // 二间 radial side, distal to the 2nd knuckle
        {"LI3", p.thumbSide(9.0, -0.3)},                     // 三间 radial side, proximal to the 2nd knuckle
        {"LI4", p.backOfHand(6.0, 2.4)},                     // 合谷 between the 1st and 2nd metacarpals
        {"LI5", p.thumbSide(0.3, -1.0)},                     // 阳溪 anatomical snuffbox
        {"LI6", p.arm(wrist(3), 105)},                       // 偏历 3 cun above the wrist
        {"LI7", p.arm(wrist(5), 110)},                       // 温溜 5 cun above the wrist
        {"LI8", p.arm(1.0 + 4 * p.forearmCun(), 115)},       // 下廉 4 cun below LI11
        {"LI9", p.arm(1.0 + 3 * p.forearmCun(), 112)},       // 上廉 3 cun below LI11
        {"LI10", p.arm(1.0 + 2 * p.forearmCun(), 110)},      // 手三里 2 cun below LI11
        {"LI11", p.arm(1.0, 90)},                            // 曲池 lateral end of the elbow crease
        {"LI12", p.arm(elbow(1), 100)},                      // 肘髎 above the lateral epicondyle
        {"LI13", p.arm(elbow(3), 95)},                       // 手五里 3 cun above LI11
        {"LI14", p.arm(elbow(7), 90)},                       // 臂臑 insertion of the deltoid
        {"LI15", p.arm(0.02, 55)},                           // 肩髃 in front of and below the acromion
        {"LI16", p.above(-15.0, 3.0)},                       // 巨骨 between clavicle and scapular spine
        {"LI17", p.neck(147.5, 95)},                         // 天鼎 back border of the neck muscle, cricoid level
        {"LI18", p.neck(149.0, 75)},                         // 扶突 level with the larynx, between the muscle heads
        {"LI19", p.front(-1.0, 158.0)},                      // 口禾髎 below the nostril
        {"LI20", p.front(-2.2, 159.3)},                      // 迎香 in the groove beside the nose wing

        // Stomach (ST): from below the eye over the face and the front of the
        // neck, down the chest (4 cun) and belly (2 cun), the front of the
        // thigh and the shin, to the second toe.
        {"ST1", p.front(-3.3, 162.2)},                       // 承泣 below the pupil, on the orbit's rim
        {"ST2", p.front(-3.3, 161.2)},                       // 四白 infraorbital foramen
        {"ST3", p.front(-3.3, 159.3)},                       // 巨髎 below the pupil, level with the nose wing
        {"ST4", p.front(-2.6, 156.35)},                      // 地仓 beside the corner of the mouth
        {"ST5", p.head(44, -57)},                            // 大迎 in front of the angle of the jaw
        {"ST6", p.head(71, -51)},                            // 颊车 above the angle of the jaw
        {"ST7", p.head(70, -12)},                            // 下关 below the zygomatic arch, in front of the ear
        {"ST8", st8},                                        // 头维 corner of the forehead, 0.5 cun within the hairline
        {"ST9", p.neck(149.0, 40)},                          // 人迎 level with the larynx, front border of the muscle
        {"ST10", p.neck(147.5, 38)},                         // 水突 between ST9 and ST11
        {"ST11", p.front(-2.2, 145.2)},                      // 气舍 above the inner end of the clavicle
        {"ST12", p.front(x(4), 145.0)},                      // 缺盆 supraclavicular fossa, 4 cun lateral
        {"ST13", p.front(x(4), notch - 1.5)},                // 气户 below the clavicle
        {"ST14", p.front(x(4), ics(1))},                     // 库房 1st ICS
        {"ST15", p.front(x(4), ics(2))},                     // 屋翳 2nd ICS
        {"ST16", p.front(x(4), ics(3))},                     // 膺窗 3rd ICS
        {"ST17", p.front(x(4), ics(4))},                     // 乳中 the nipple
        {"ST18", p.front(x(4), ics(5))},                     // 乳根 5th ICS
        {"ST19", p.front(x(2), aboveN(6))},                  // 不容 6 cun above the navel, 2 cun lateral
        {"ST20", p.front(x(2), aboveN(5))},                  // 承满
        {"ST21", p.front(x(2), aboveN(4))},                  // 梁门
        {"ST22", p.front(x(2), aboveN(3))},                  // 关门
        {"ST23", p.front(x(2), aboveN(2))},                  // 太乙
        {"ST24", p.front(x(2), aboveN(1))},                  // 滑肉门
        {"ST25", p.front(x(2), aboveN(0))},                  // 天枢 level with the navel
        {"ST26", p.front(x(2), below(1))},                   // 外陵 1 cun below the navel
        {"ST27", p.front(x(2), below(2))},                   // 大巨
        {"ST28", p.front(x(2), below(3))},                   // 水道
        {"ST29", p.front(x(2), below(4))},                   // 归来
        {"ST30", p.front(x(2), below(5))},                   // 气冲 level with the pubic symphysis
        {"ST31", p.leg(82.0, 15)},                           // 髀关 top of the thigh, front
        {"ST32", p.leg(patellaTop + thigh(6), 15)},          // 伏兔 6 cun above the kneecap
        {"ST33", p.leg(patellaTop + thigh(3), 20)},          // 阴市 3 cun above the kneecap
        {"ST34", p.leg(patellaTop + thigh(2), 28)},          // 梁丘 2 cun above, lateral border
        {"ST35", p.leg(stomachKnee, 35)},                    // 犊鼻 below the kneecap, lateral hollow
        {"ST36", p.leg(stomachKnee - shank(3), 35)},         // 足三里 3 cun below ST35, lateral of the shin
        {"ST37", p.leg(stomachKnee - shank(6), 35)},         // 上巨虚
        {"ST38", p.leg(stomachKnee - shank(8), 35)},         // 条口
        {"ST39", p.leg(stomachKnee - shank(9), 35)},         // 下巨虚
        {"ST40", p.leg(stomachKnee - shank(8), 58)},         // 丰隆 a finger lateral to ST38
        {"ST41", p.ankleFront()},                            // 解溪 front of the ankle
        {"ST42", p.footTop(4.5, 0.2)},                       // 冲阳 highest point of the instep
        {"ST43", p.footTop(10.0, 0.4)},                      // 陷谷 between the 2nd and 3rd metatarsals
        {"ST44", p.footTop(13.2, 0.3)},                      // 内庭 web between the 2nd and 3rd toes
        {"ST45", p.toe(1, 0.85, 60)},                        // 厉兑 lateral corner of the 2nd toenail

        // Spleen (SP): from the big toe along the inner foot and the inner
        // shin and thigh, up the belly (4 cun) and chest (6 cun).
        {"SP1", p.toe(0, 0.85, 300)},                        // 隐白 medial corner of the big toenail
        {"SP2", p.toe(0, 0.15, 265)},                        // 大都 distal to the 1st toe joint, medial
        {"SP3", p.footInner(11.8, -6.6)},                    // 太白 proximal to the 1st toe joint
        {"SP4", p.footInner(7.5, -6.3)},                     // 公孙 base of the 1st metatarsal
        {"SP5", p.footInner(2.6, -3.0)},                     // 商丘 in front of and below the inner ankle
        {"SP6", p.leg(innerAnkle + innerShank(3), 280)},     // 三阴交 3 cun above the inner ankle, behind the tibia
        {"SP7", p.leg(innerAnkle + innerShank(6), 275)},     // 漏谷 6 cun above the inner ankle
        {"SP8", p.leg(tibiaCondyle - innerShank(3), 275)},   // 地机 3 cun below SP9
        {"SP9", p.leg(tibiaCondyle, 285)},                   // 阴陵泉 below the medial condyle of the tibia
        {"SP10", p.leg(patellaTop + thigh(2), 315)},         // 血海 2 cun above the kneecap, inner thigh
        {"SP11", p.leg(79.6, 300)},                          // 箕门 upper third of the line SP10-SP12
        {"SP12", p.front(x(3.5), below(5))},                 // 冲门 groin, 3.5 cun lateral
        {"SP13", p.front(x(4), below(4.3))},                 // 府舍 4.3 cun below the navel, 4 cun lateral
        {"SP14", p.front(x(4), below(1.3))},                 // 腹结
        {"SP15", p.front(x(4), aboveN(0))},                  // 大横 level with the navel
        {"SP16", p.front(x(4), aboveN(3))},                  // 腹哀 3 cun above the navel
        {"SP17", p.front(x(6), ics(5))},                     // 食窦 5th ICS, 6 cun lateral
        {"SP18", p.front(x(6), ics(4))},                     // 天溪
        {"SP19", p.front(x(6), ics(3))},                     // 胸乡
        {"SP20", p.front(x(6), ics(2))},                     // 周荣
        {"SP21", p.around(117.5, 90)},                       // 大包 6th ICS, mid-axillary line

        // Heart (HT): from the armpit down the ulnar side of the inner arm to
        // the little finger.
        {"HT1", p.fromBelow(-16.6, 1.5, 112.0)}, // 极泉 centre of the armpit
        {"HT2", p.arm(elbow(3), 285)},                       // 青灵 3 cun above the elbow, medial to biceps
        {"HT3", p.arm(1.0, 290)},                            // 少海 medial end of the elbow crease
        {"HT4", p.arm(wrist(1.5), 320)},                     // 灵道 1.5 cun above the wrist, radial to the tendon
        {"HT5", p.arm(wrist(1), 320)},                       // 通里
        {"HT6", p.arm(wrist(0.5), 320)},                     // 阴郄
        {"HT7", p.arm(wrist(0.05), 320)},                    // 神门 wrist crease, ulnar side
        {"HT8", p.palm(7.8, -2.0)},                          // 少府 palm, between the 4th and 5th metacarpals
        {"HT9", p.finger(4, 2.85, 115)},                     // 少冲 radial corner of the little fingernail

        // Small intestine (SI): from the little finger up the ulnar back of
        // the arm, across the shoulder blade, up the neck to the ear.
        {"SI1", p.finger(4, 2.85, 245)},                     // 少泽 ulnar corner of the little fingernail
        {"SI2", p.finger(4, 0.3, 262)},                      // 前谷 distal to the 5th knuckle, ulnar side
        {"SI3", p.littleFingerSide(8.4, -0.2)},              // 后溪 proximal to the 5th knuckle
        {"SI4", p.littleFingerSide(2.6, -0.2)},              // 腕骨 base of the 5th metacarpal
        {"SI5", p.littleFingerSide(0.3, -0.5)},              // 阳谷 ulnar side of the wrist
        {"SI6", p.arm(wrist(1), 210)},                       // 养老 1 cun above the wrist, beside the ulnar head
        {"SI7", p.arm(wrist(5), 245)},                       // 支正 5 cun above the wrist
        {"SI8", p.arm(1.0, 225)},                            // 小海 between olecranon and medial epicondyle
        {"SI9", p.arm(fold(-1), 200)},                       // 肩贞 1 cun above the posterior axillary fold
        {"SI10", p.arm(0.08, 185)},                          // 臑俞 below the scapular spine
        {"SI11", p.back(-11.5, 136.0)},                      // 天宗 infraspinous fossa
        {"SI12", p.back(-12.0, 141.0)},                      // 秉风 supraspinous fossa
        {"SI13", p.back(-8.0, 141.5)},                       // 曲垣 medial end of the supraspinous fossa
        {"SI14", p.back(x(3), T(1))},                        // 肩外俞 below T1, 3 cun lateral
        {"SI15", p.back(x(2), p.spine(7))},                  // 肩中俞 below C7, 2 cun lateral
        {"SI16", p.neck(149.0, 105)},                        // 天窗 back border of the neck muscle, larynx level
        {"SI17", p.neck(153.5, 100)},                        // 天容 behind the angle of the jaw
        {"SI18", p.front(-5.0, 160.3)},                      // 颧髎 below the cheekbone, under the outer canthus
        {"SI19", p.head(76, -8)},                            // 听宫 in front of the tragus

        // Bladder (BL): from the inner corner of the eye over the head, down
        // the back in two lines (1.5 and 3 cun lateral), down the back of the
        // thigh and calf, behind the outer ankle to the little toe.
        {"BL1", p.front(-1.5, 164.0)},                       // 睛明 beside the inner canthus
        {"BL2", p.front(-1.7, 165.7)},                       // 攒竹 inner end of the eyebrow
        {"BL3", p.scalp(0.5, 1.1)},                          // 眉冲 above BL2, 0.5 cun within the hairline
        {"BL4", p.scalp(0.5, 1.5)},                          // 曲差 1.5 cun lateral
        {"BL5", p.scalp(1.0, 1.5)},                          // 五处 1 cun within the hairline
        {"BL6", p.scalp(2.5, 1.5)},                          // 承光
        {"BL7", p.scalp(4.0, 1.5)},                          // 通天
        {"BL8", p.scalp(5.5, 1.5)},                          // 络却
        {"BL9", p.head(168, -10)},                           // 玉枕 level with the occipital protuberance
        {"BL10", p.head(165, -42)},                          // 天柱 nape, beside the trapezius
        {"BL11", p.back(x(1.5), T(1))},                      // 大杼 below T1, 1.5 cun lateral
        {"BL12", p.back(x(1.5), T(2))},                      // 风门
        {"BL13", p.back(x(1.5), T(3))},                      // 肺俞
        {"BL14", p.back(x(1.5), T(4))},                      // 厥阴俞
        {"BL15", p.back(x(1.5), T(5))},                      // 心俞
        {"BL16", p.back(x(1.5), T(6))},                      // 督俞
        {"BL17", p.back(x(1.5), T(7))},                      // 膈俞
        {"BL18", p.back(x(1.5), T(9))},                      // 肝俞
        {"BL19", p.back(x(1.5), T(10))},                     // 胆俞
        {"BL20", p.back(x(1.5), T(11))},                     // 脾俞
        {"BL21", p.back(x(1.5), T(12))},                     // 胃俞
        {"BL22", p.back(x(1.5), L(1))},                      // 三焦俞
        {"BL23", p.back(x(1.5), L(2))},                      // 肾俞
        {"BL24", p.back(x(1.5), L(3))},                      // 气海俞
        {"BL25", p.back(x(1.5), L(4))},                      // 大肠俞
        {"BL26", p.back(x(1.5), L(5))},                      // 关元俞
        {"BL27", p.back(x(1.5), S(1))},                      // 小肠俞 level with the 1st sacral foramen
        {"BL28", p.back(x(1.5), S(2))},                      // 膀胱俞
        {"BL29", p.back(x(1.5), S(3))},                      // 中膂俞
        {"BL30", p.back(x(1.5), S(4))},                      // 白环俞
        {"BL31", p.back(-2.4, S(1))},                        // 上髎 1st sacral foramen
        {"BL32", p.back(-2.2, S(2))},                        // 次髎
        {"BL33", p.back(-2.0, S(3))},                        // 中髎
        {"BL34", p.back(-1.8, S(4))},                        // 下髎
        {"BL35", p.back(-1.25, 86.5)},                       // 会阳 beside the tip of the coccyx
        {"BL36", p.leg(gluteal, 180)},                       // 承扶 middle of the gluteal fold
        {"BL37", p.leg(gluteal - 6 * (gluteal - kneeCrease) / 14, 180)}, // 殷门 6 cun below BL36
        {"BL38", p.leg(kneeCrease + thigh(1), 145)},         // 浮郄 1 cun above BL39
        {"BL39", p.leg(kneeCrease, 140)},                    // 委阳 lateral end of the knee crease
        {"BL40", p.leg(kneeCrease, 180)},                    // 委中 middle of the knee crease
        {"BL41", p.back(x(3), T(2))},                        // 附分 below T2, 3 cun lateral
        {"BL42", p.back(x(3), T(3))},                        // 魄户
        {"BL43", p.back(x(3), T(4))},                        // 膏肓
        {"BL44", p.back(x(3), T(5))},                        // 神堂
        {"BL45", p.back(x(3), T(6))},                        // 譩譆
        {"BL46", p.back(x(3), T(7))},                        // 膈关
        {"BL47", p.back(x(3), T(9))},                        // 魂门
        {"BL48", p.back(x(3), T(10))},                       // 阳纲
        {"BL49", p.back(x(3), T(11))},                       // 意舍
        {"BL50", p.back(x(3), T(12))},                       // 胃仓
        {"BL51", p.back(x(3), L(1))},                        // 肓门
        {"BL52", p.back(x(3), L(2))},                        // 志室
        {"BL53", p.back(x(3), S(2))},                        // 胞肓 level with the 2nd sacral foramen
        {"BL54", p.back(x(3), S(4))},                        // 秩边 level with the 4th sacral foramen
        {"BL55", p.leg(kneeCrease - shank(2), 180)},         // 合阳 2 cun below BL40
        {"BL56", p.leg(kneeCrease - shank(5), 180)},         // 承筋 middle of the calf muscle
        {"BL57", p.leg(kneeCrease - shank(8), 180)},         // 承山 where the calf muscle meets the tendon
        {"BL58", p.leg(outerAnkle + shank(7), 145)},         // 飞扬 7 cun above BL60
        {"BL59", p.leg(outerAnkle + shank(3), 160)},         // 跗阳 3 cun above BL60
        {"BL60", p.footOuter(-2.8, -1.5)},                   // 昆仑 between the outer ankle and the tendon
        {"BL61", p.footOuter(-3.6, -5.0)},                   // 仆参 below BL60, side of the heel
        {"BL62", p.footOuter(0.3, -3.3)},                    // 申脉 below the outer ankle
        {"BL63", p.footOuter(3.2, -4.8)},                    // 金门 in front of and below BL62
        {"BL64", p.footOuter(5.8, -6.3)},                    // 京骨 beyond the tuberosity of the 5th metatarsal
        {"BL65", p.footOuter(9.7, -6.6)},                    // 束骨 behind the 5th toe joint
        {"BL66", p.footOuter(11.8, -6.9)},                   // 足通谷 in front of the 5th toe joint
        {"BL67", p.toe(4, 0.85, 60)},                        // 至阴 lateral corner of the little toenail

        // Kidney (KI): from the sole around the inner ankle, up the inner
        // back of the leg, up the belly (0.5 cun) and chest (2 cun).
        {"KI1", p.sole(9.6, -0.2)},                          // 涌泉 sole, front third
        {"KI2", p.footInner(4.0, -6.0)},                     // 然谷 below the navicular tuberosity
        {"KI3", p.footInner(-2.3, -0.8)},                    // 太溪 between the inner ankle and the tendon
        {"KI4", p.footInner(-3.0, -2.4)},                    // 大钟 behind and below the inner ankle
        {"KI5", p.footInner(-2.3, -3.6)},                    // 水泉 1 cun below KI3
        {"KI6", p.footInner(0.8, -2.6)},                     // 照海 1 cun below the inner ankle
        {"KI7", p.leg(innerAnkle + 1.0 + innerShank(2), 235)}, // 复溜 2 cun above KI3, before the tendon
        {"KI8", p.leg(innerAnkle + 1.0 + innerShank(2), 265)}, // 交信 behind the medial border of the tibia
        {"KI9", p.leg(innerAnkle + 1.0 + innerShank(5), 230)}, // 筑宾 5 cun above KI3
        {"KI10", p.leg(kneeCrease, 225)},                    // 阴谷 medial end of the knee crease
        {"KI11", p.front(x(0.5), below(5))},                 // 横骨 5 cun below the navel, 0.5 cun lateral
        {"KI12", p.front(x(0.5), below(4))},                 // 大赫
        {"KI13", p.front(x(0.5), below(3))},                 // 气穴
        {"KI14", p.front(x(0.5), below(2))},                 // 四满
        {"KI15", p.front(x(0.5), below(1))},                 // 中注
        {"KI16", p.front(x(0.5), aboveN(0))},                // 肓俞 beside the navel
        {"KI17", p.front(x(0.5), aboveN(2))},                // 商曲 2 cun above the navel
        {"KI18", p.front(x(0.5), aboveN(3))},                // 石关
        {"KI19", p.front(x(0.5), aboveN(4))},                // 阴都
        {"KI20", p.front(x(0.5), aboveN(5))},                // 腹通谷
        {"KI21", p.front(x(0.5), aboveN(6))},                // 幽门
        {"KI22", p.front(x(2), ics(5))},                     // 步廊 5th ICS, 2 cun lateral
        {"KI23", p.front(x(2), ics(4))},                     // 神封
        {"KI24", p.front(x(2), ics(3))},                     // 灵墟
        {"KI25", p.front(x(2), ics(2))},                     // 神藏
        {"KI26", p.front(x(2), ics(1))},                     // 彧中
        {"KI27", p.front(x(2), notch - 1.5)},                // 俞府 below the clavicle

        // Pericardium (PC): from beside the nipple down the middle of the
        // inner arm to the tip of the middle finger.
        {"PC1", p.front(x(5), ics(4))},                      // 天池 4th ICS, 1 cun lateral to the nipple
        {"PC2", p.arm(fold(2), 0)},                          // 天泉 2 cun below the axillary fold
        {"PC3", p.arm(1.0, 350)},                            // 曲泽 elbow crease, ulnar to the biceps tendon
        {"PC4", p.arm(wrist(5), 0)},                         // 郄门 5 cun above the wrist, between the tendons
        {"PC5", p.arm(wrist(3), 0)},                         // 间使
        {"PC6", p.arm(wrist(2), 0)},                         // 内关
        {"PC7", p.arm(wrist(0.05), 0)},                      // 大陵 middle of the wrist crease
        {"PC8", p.palm(7.0, 0.9)},                           // 劳宫 centre of the palm
        {"PC9", p.fingertip(2)},                             // 中冲 tip of the middle finger

        // Triple energizer (SJ): from the ring finger up the middle of the
        // back of the arm, over the shoulder, around the back of the ear to
        // the end of the eyebrow.
        {"SJ1", p.finger(3, 2.85, 245)},                     // 关冲 ulnar corner of the ring fingernail
        {"SJ2", p.backOfHand(10.3, -1.95)},                  // 液门 web between the 4th and 5th fingers
        {"SJ3", p.backOfHand(8.3, -1.9)},                    // 中渚 between the 4th and 5th metacarpals
        {"SJ4", p.backOfHand(0.2, -0.8)},                    // 阳池 back of the wrist crease
        {"SJ5", p.arm(wrist(2), 180)},                       // 外关 2 cun above the wrist, between the bones
        {"SJ6", p.arm(wrist(3), 180)},                       // 支沟
        {"SJ7", p.arm(wrist(3), 205)},                       // 会宗 ulnar to SJ6
        {"SJ8", p.arm(wrist(4), 180)},                       // 三阳络
        {"SJ9", p.arm(wrist(7), 180)},                       // 四渎 5 cun below the olecranon
        {"SJ10", p.arm(elbow(1), 180)},                      // 天井 1 cun above the olecranon
        {"SJ11", p.arm(elbow(2), 180)},                      // 清泠渊
        {"SJ12", p.arm(elbow(5), 180)},                      // 消泺
        {"SJ13", p.arm(0.24, 150)},                          // 臑会 back border of the deltoid
        {"SJ14", p.arm(0.03, 125)},                          // 肩髎 behind and below the acromion
        {"SJ15", p.above(-10.5, 6.5)},                       // 天髎 upper angle of the shoulder blade
        {"SJ16", p.neck(154.5, 120)},                        // 天牖 level with the angle of the jaw
        {"SJ17", p.head(112, -28)},                          // 翳风 behind the earlobe
        {"SJ18", p.head(114, -12)},                          // 瘈脉 behind the ear, lower third
        {"SJ19", p.head(113, 2)},                            // 颅息 behind the ear, upper third
        {"SJ20", p.head(95, 20)},                            // 角孙 above the apex of the ear
        {"SJ21", p.head(76, 1)},                             // 耳门 in front of the supratragic notch
        {"SJ22", p.head(72, 8)},                             // 耳和髎 front of the ear's root, temple hairline
        {"SJ23", p.front(-5.6, 165.7)},                      // 丝竹空 outer end of the eyebrow

        // Gallbladder (GB): from the outer canthus around the side of the
        // head, down the side of the neck, trunk and leg to the fourth toe.
        {"GB1", p.front(-5.9, 163.8)},                       // 瞳子髎 0.5 cun lateral to the outer canthus
        {"GB2", p.head(75, -15)},                            // 听会 in front of the intertragic notch
        {"GB3", p.head(70, -1)},                             // 上关 above the zygomatic arch
        {"GB4", p.headBetween(st8, gb7, 0.25)},              // 颔厌 upper quarter of ST8-GB7
        {"GB5", p.headBetween(st8, gb7, 0.5)},               // 悬颅 middle
        {"GB6", p.headBetween(st8, gb7, 0.75)},              // 悬厘 lower quarter
        {"GB7", gb7},                                        // 曲鬓 temple hairline, level with the ear apex
        {"GB8", p.head(95, 33)},                             // 率谷 1.5 cun above the ear apex
        {"GB9", p.head(108, 28)},                            // 天冲 behind GB8
        {"GB10", p.head(116, 14)},                           // 浮白 behind the ear, upper third
        {"GB11", p.head(120, -2)},                           // 头窍阴 behind the ear, lower third
        {"GB12", p.head(118, -20)},                          // 完骨 behind the mastoid
        {"GB13", p.scalp(0.5, 3.0)},                         // 本神 0.5 cun within the hairline, 3 cun lateral
        {"GB14", p.front(-3.3, 167.3)},                      // 阳白 1 cun above the eyebrow, above the pupil
        {"GB15", p.scalp(0.5, 2.25)},                        // 头临泣 above the pupil, 0.5 cun within the hairline
        {"GB16", p.scalp(1.5, 2.25)},                        // 目窗
        {"GB17", p.scalp(2.5, 2.25)},                        // 正营
        {"GB18", p.scalp(4.0, 2.25)},                        // 承灵
        {"GB19", p.head(160, -8)},                           // 脑空 level with the occipital protuberance
        {"GB20", p.head(150, -36)},                          // 风池 below the occiput, between the muscles
        {"GB21", p.above(-9.2, 4.0)},                        // 肩井 top of the shoulder, between C7 and acromion
        {"GB22", p.around(ics(4), 90)},                      // 渊腋 4th ICS, mid-axillary line
        {"GB23", p.around(ics(4), 78)},                      // 辄筋 1 cun in front of GB22
        {"GB24", p.front(x(4), 118.5)},                      // 日月 7th ICS, nipple line
        {"GB25", p.around(106.5, 110)},                      // 京门 free end of the 12th rib
        {"GB26", p.around(aboveN(0), 88)},                   // 带脉 below the 11th rib, level with the navel
        {"GB27", p.front(-11.5, below(3))},                  // 五枢 in front of the iliac spine
        {"GB28", p.front(-11.0, below(3.5))},                // 维道 0.5 cun in front of and below GB27
        {"GB29", p.around(93.0, 75)},                        // 居髎 between iliac spine and trochanter
        {"GB30", p.around(91.0, 110)},                       // 环跳 outer third, trochanter to sacral hiatus
        {"GB31", p.leg(kneeCrease + thigh(7), 90)},          // 风市 outer thigh, 7 cun above the knee crease
        {"GB32", p.leg(kneeCrease + thigh(5), 90)},          // 中渎
        {"GB33", p.leg(patellaTop, 95)},                     // 膝阳关 above the lateral epicondyle
        {"GB34", p.leg(41.5, 75)},                           // 阳陵泉 below the head of the fibula
        {"GB35", p.leg(outerAnkle + shank(7), 110)},         // 阳交 7 cun above the outer ankle, behind the fibula
        {"GB36", p.leg(outerAnkle + shank(7), 85)},          // 外丘 in front of the fibula
        {"GB37", p.leg(outerAnkle + shank(5), 80)},          // 光明
        {"GB38", p.leg(outerAnkle + shank(4), 80)},          // 阳辅
        {"GB39", p.leg(outerAnkle + shank(3), 80)},          // 悬钟
        {"GB40", p.footOuter(2.6, -3.0)},                    // 丘墟 in front of and below the outer ankle
        {"GB41", p.footTop(8.0, 3.3)},                       // 足临泣 beyond the 4th and 5th metatarsal bases
        {"GB42", p.footTop(10.2, 3.5)},                      // 地五会 behind the 4th toe joint
        {"GB43", p.footTop(12.4, 3.55)},                     // 侠溪 web between the 4th and 5th toes
        {"GB44", p.toe(3, 0.85, 60)},                        // 足窍阴 lateral corner of the 4th toenail

        // Liver (LR): from the big toe over the instep, up the inner shin and
        // thigh, through the groin to the side of the belly and the chest.
        {"LR1", p.toe(0, 0.85, 60)},                         // 大敦 lateral corner of the big toenail
        {"LR2", p.footTop(13.3, -1.7)},                      // 行间 web between the 1st and 2nd toes
        {"LR3", p.footTop(9.0, -1.6)},                       // 太冲 between the 1st and 2nd metatarsals
        {"LR4", p.footInner(2.3, -0.3)},                     // 中封 in front of the inner ankle
        {"LR5", p.leg(innerAnkle + innerShank(5), 300)},     // 蠡沟 5 cun above the inner ankle, on the tibia
        {"LR6", p.leg(innerAnkle + innerShank(7), 300)},     // 中都 7 cun above the inner ankle
        {"LR7", p.leg(tibiaCondyle, 255)},                   // 膝关 1 cun behind SP9
        {"LR8", p.leg(kneeCrease + 0.5, 248)},               // 曲泉 medial end of the knee crease
        {"LR9", p.leg(49.0 + thigh(4), 280)},                // 阴包 4 cun above the medial epicondyle
        {"LR10", p.front(x(2), below(5) - 3 * 2.4)},         // 足五里 3 cun below ST30
        {"LR11", p.front(x(2), below(5) - 2 * 2.4)},         // 阴廉 2 cun below ST30
        {"LR12", p.front(x(2.5), below(5) - 0.5)},           // 急脉 beside the pubic tubercle
        {"LR13", p.around(109.0, 80)},                       // 章门 free end of the 11th rib
        {"LR14", p.front(x(4), 121.0)},                      // 期门 6th ICS, nipple line
    };
}
